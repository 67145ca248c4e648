#pragma once

#include "actions/ActionRun.h"
#include "base/PathResolver.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <cstddef>
#include <string_view>

namespace bw {

class ExportFile;
class Prompter;
class ScanSession;

// The document rescue over a Document Rescue tab's rows, in list order:
// each row's file copied into the library and author tree under the output
// directory (CpDocFile), its source then marked ".xxx", its import line
// written to the CSV device and its check box ticked; a failed row's box is
// cleared. Relative sources are found from the log's folder and the
// prefix mappings apply; the process's current directory is not touched.
//
// The CSV file belongs to the caller, who opens it first and commits it
// at the end: the Export button one file per run, the command line one for
// all runs.
class DocumentRescue : public ActionRun {
public:
    DocumentRescue(ScanSession& session, Prompter& prompter, ExportFile& csv, const QLocale& locale = QLocale::system(),
                   QDate today = QDate::currentDate());

    // "Exporting Document Files and Creating Import File", counts at 0.
    void showStart();
    // Relative paths start at the log's folder; "Directory Reset Failed"
    // when there is no such folder.
    void resetDirectory();
    // Processes rows until the deadline or the last row (the count is read
    // again before every row); true when done. A failed CSV write ends the
    // run (Failed) with its error box.
    bool step(Clock::time_point deadline) override;
    // "Completed Export - ..."
    void showCompletion();

    // One row: the target path when the row was exported, empty when it
    // failed. Shows its own messages.
    QString CpDocFile(std::size_t index);

    int successes() const { return m_successes; }
    int failures() const { return m_failures; }

    static std::string csvLine(std::string_view authorDpu, std::string_view document, std::string_view version,
                               std::string_view target, const QString& date);

private:
    QString counts() const;
    bool rowsDone();

    ScanSession& m_session;
    Prompter& m_prompter;
    ExportFile& m_csv;
    QString m_date;
    PathResolver m_resolver;
    std::size_t m_next = 0;
    int m_successes = 0;
    int m_failures = 0;
};

} // namespace bw
