#pragma once

#include "report_engine/PageSetup.h"
#include "report_engine/PreviewOpener.h"
#include "report_engine/ReportBand.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace bw {

class ExportFilter;
class PageSink;
class PrintJob;
class ReportPage;

// A band report fed row by row. A run calls the report's hook, then prints
// the page header and column header at the top of every page, the title once
// under the first page header, a detail band for every row that the need-data
// callback supplies (it is asked until it answers no, so once more after the
// last row) and the summary once at the end.
class BandReport : public QObject {
    Q_OBJECT
public:
    using Kind = ReportBand::Kind;
    using NeedData = std::function<bool()>;
    using BeforePrint = std::function<void()>;

    explicit BandReport(QObject* parent = nullptr);
    ~BandReport() override;

    // The band of that kind, made on first use; a band never asked for
    // does not print.
    ReportBand& band(Kind kind);
    bool hasBand(Kind kind) const { return m_bands[index(kind)] != nullptr; }

    PageSetup& pageSetup() { return m_page; }
    const PageSetup& pageSetup() const { return m_page; }

    void setFont(const QString& family, double pointSize);
    const QString& fontFamily() const { return m_fontFamily; }
    double fontPointSize() const { return m_fontSize; }

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Lines describing the report; they are only ever added to.
    const QStringList& description() const { return m_description; }
    void addDescription(const QString& line) { m_description << line; }

    void setBeforePrint(BeforePrint hook) { m_beforePrint = std::move(hook); }
    void setNeedData(NeedData callback) { m_needData = std::move(callback); }
    // Rows the callback will supply, for the progress percentage; 0: unknown.
    void setExpectedRows(int rows) { m_expectedRows = rows; }

    // The printer the report prints to (an index into the system's printer
    // list, -1 the default) and its copies.
    int printerIndex() const { return m_printerIndex; }
    void setPrinterIndex(int index) { m_printerIndex = index; }
    int copies() const { return m_copies; }
    void setCopies(int copies) { m_copies = copies; }

    // Lays the report out into the sink.
    bool run(PageSink& sink);
    // The same in steps: a run started into the sink lays rows out at each
    // step until the deadline; the step that ends it answers true. A new run
    // (or run()) first finishes one in progress, as the hooks share the
    // report's counters.
    void startRun(PageSink& sink);
    bool stepRun(QDeadlineTimer deadline);
    bool isRunningInto(const PageSink* sink) const;
    // Drops the run into that sink, if it is the one in progress.
    void cancelRun(const PageSink* sink);
    // Lays the report out into a list of pages.
    std::vector<ReportPage> pages();
    bool exportTo(ExportFilter& filter);

    // The opener that shows this report's previews; the report does not own
    // it. Without one (nullptr), or once it is gone, the engine's standard
    // preview.
    void setPreviewOpener(PreviewOpener* opener) { m_previewOpener = opener; }

    // Makes a job of the report and shows it through the report's opener;
    // the job frees itself when its preview closes, so the pointer is good
    // until then.
    PrintJob* preview();
    // The same in a modal preview, returning when it has closed.
    void previewModal();

private:
    struct Run;
    static std::size_t index(Kind kind) { return static_cast<std::size_t>(kind); }
    PrintJob* newJob();

    PageSetup m_page;
    std::array<std::unique_ptr<ReportBand>, 5> m_bands;
    QString m_fontFamily = QStringLiteral("Arial");
    double m_fontSize = 10;
    QString m_title;
    QStringList m_description;
    BeforePrint m_beforePrint;
    NeedData m_needData;
    int m_expectedRows = 0;
    int m_printerIndex = -1;
    int m_copies = 1;
    std::unique_ptr<Run> m_run;
    bool m_runResult = false;
    QPointer<PreviewOpener> m_previewOpener;
};

} // namespace bw
