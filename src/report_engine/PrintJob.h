#pragma once

#include <functional>

#include "report_engine/PageList.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QPrinterInfo;

namespace bw {

class BandReport;
class ExportFilter;
class JobSink;

// One generated or loaded report: its pages, its status, its title, the
// printer it goes to and, while it has one, the report that produced it.
class PrintJob : public QObject {
    Q_OBJECT
public:
    enum class Status { Ready, Busy, Finished };

    explicit PrintJob(BandReport* report = nullptr, QObject* parent = nullptr);
    ~PrintJob() override;

    Status status() const { return m_status; }
    int pageCount() const { return m_pages.pageCount(); }
    // Page i, from 1.
    std::optional<ReportPage> page(int i) const { return m_pages.page(i); }
    const PageList& pages() const { return m_pages; }

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    BandReport* report() const;
    void clearReport();

    // An index into the system's printer list; -1, or one no longer there,
    // is the default printer.
    int printerIndex() const { return m_printerIndex; }
    void setPrinterIndex(int index) { m_printerIndex = index; }
    static QPrinterInfo printerAt(int index);
    // Setting asks the printer; a printer that makes no copies itself keeps 1.
    int copies() const { return m_copies; }
    void setCopies(int copies);
    // What tells whether a printer makes copies itself; by default the
    // printer's own word. Under CUPS every queue says yes, so the other way
    // is taken only with a probe that says no.
    using CopiesProbe = std::function<bool(const QPrinterInfo&)>;
    void setCopiesProbe(CopiesProbe probe) { m_copiesProbe = std::move(probe); }

    // Runs the producing report into the job's pages; false without one.
    bool generate();
    // The same from the event loop, in slices of a few milliseconds: pages
    // arrive (and pageAvailable tells of each) while the rest is laid out.
    void generateStepwise();
    // Only a finished job is saved; false with nothing written otherwise.
    bool save(const QString& path, QString* error = nullptr) const;
    // The job then holds the file's pages, is finished and has no producing
    // report; a file that cannot be read leaves it as it was.
    bool load(const QString& path, QString* error = nullptr, const std::function<void()>& alive = {});
    // Runs the producing report again into the filter; without one nothing
    // is written.
    bool exportTo(ExportFilter& filter);
    // Writes the job's stored pages through the filter, as a loaded page
    // file has them; an unfinished job writes nothing.
    bool exportPages(ExportFilter& filter);
    // Prints on the job's printer: the producing report run again, or the
    // stored pages when there is none.
    bool print(QString* error = nullptr);

    // The preview showing this job has closed.
    void previewClosed();
    // A job made for a preview goes with it.
    void setDeleteOnPreviewClosed(bool on) { m_deleteOnPreviewClosed = on; }

signals:
    void pageAvailable(int count);
    void progressUpdate(int percent);
    void previewWasClosed();

private:
    friend class JobSink;
    void generateSlice();
    void stopStepwise();
    std::unique_ptr<JobSink> m_stepSink;
    QPointer<BandReport> m_report;
    PageList m_pages;
    Status m_status = Status::Ready;
    QString m_title;
    int m_printerIndex = -1;
    int m_copies = 1;
    CopiesProbe m_copiesProbe;
    bool m_deleteOnPreviewClosed = false;
};

} // namespace bw
