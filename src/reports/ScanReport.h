#pragma once

#include "report_engine/BandReport.h"

#include <QString>

#include <cstdint>
#include <string_view>

namespace bw {

class ScanSession;
struct Row;

// What the four reports of the tabs share: they read one tab's session (its
// rows in list order and its log path), carry the page header's text as
// their title, put the log path into the title band, add a description line
// at every run and walk the rows with a counter that also counts the final
// "no more data" answer.
class ScanReport : public BandReport {
    Q_OBJECT
public:
    const ScanSession& session() const { return m_session; }
    const QString& headerText() const { return m_headerText; }

    // Adds a size to a total: "N/A" adds nothing, blanks around the number
    // are read past, and a text that is still no integer, or one that would
    // carry the total beyond 64 bits, is left out so that the report goes on.
    static void addSize(std::int64_t& total, std::string_view text);

protected:
    ScanReport(const ScanSession& session, const QString& headerText, QObject* parent);

    // The page header (the report's title text and the date and time) and the
    // title band ("Results of Parsing Log File" and the path), laid out at
    // these places in millimetres; the texts share one top offset per band.
    struct Heading {
        double headerHeight;
        double headerTextX;
        double dateX;
        double headerY;
        double titleHeight;
        double resultsX;
        double pathX;
        double titleY;
    };
    void addHeading(const Heading& heading);

    // Before every run: the printer's paper, the title, the path, a
    // description line, the counter and resetRun().
    void beforeRun();
    // What a report resets or sizes afresh for each run, the paper being known.
    virtual void resetRun() {}

    // The row at the counter, or nullptr when all have printed; the counter
    // moves on in both cases.
    const Row* takeRow();
    // Rows printed so far, once the last need-data answer has been given.
    int rowsPrinted() const { return m_rowIndex - 1; }

private:
    const ScanSession& m_session;
    QString m_headerText;
    ReportField* m_path = nullptr;
    int m_rowIndex = 0;
    bool m_rowsMoved = false;
};

} // namespace bw
