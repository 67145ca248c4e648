#include "report_engine/PrintJob.h"

#include "report_engine/BandReport.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/PageRenderer.h"
#include "report_engine/PageSink.h"
#include "report_engine/ReportUnits.h"

#include <QPainter>
#include <QTimer>
#include <QPrinter>
#include <QPrinterInfo>

namespace bw {

// Takes a run's pages into the job and tells the preview as they come.
class JobSink : public PageSink {
public:
    explicit JobSink(PrintJob& job)
        : m_job(job)
    {
    }
    void begin(const QString& title) override { m_job.m_title = title; }
    void addPage(const ReportPage& page) override
    {
        m_job.m_pages.append(page);
        emit m_job.pageAvailable(m_job.pageCount());
    }
    void progress(int percent) override { emit m_job.progressUpdate(percent); }

private:
    PrintJob& m_job;
};

namespace {

// Draws pages on a printer as they come.
class PrinterSink : public PageSink {
public:
    explicit PrinterSink(QPrinter& printer)
        : m_printer(printer)
    {
    }
    // The queue names the job after the title the run set, which a report
    // printed before any preview has not had yet.
    void begin(const QString& title) override
    {
        if (!title.isEmpty())
            m_printer.setDocName(title);
    }
    void addPage(const ReportPage& page) override
    {
        m_printer.setPageSize(QPageSize(page.sizeMm(), QPageSize::Millimeter));
        if (!m_painter.isActive()) {
            if (!m_painter.begin(&m_printer)) {
                m_failed = true;
                return;
            }
        } else if (!m_printer.newPage()) {
            m_failed = true;
            return;
        }
        // The printer's paper origin is the sheet's corner.
        const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
        const QRectF printable = m_printer.pageRect(QPrinter::DevicePixel);
        m_painter.save();
        m_painter.translate(paper.topLeft() - printable.topLeft());
        PageRenderer::draw(m_painter, page, m_printer.resolution() / mmPerInch);
        m_painter.restore();
    }
    bool finish() override
    {
        // Ending hands the job to the print system.
        if (m_painter.isActive() && !m_painter.end())
            m_failed = true;
        return !m_failed;
    }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    bool m_failed = false;
};

} // namespace

PrintJob::PrintJob(BandReport* report, QObject* parent)
    : QObject(parent)
    , m_report(report)
{
    if (report) {
        m_printerIndex = report->printerIndex();
        m_copies = report->copies();
    }
}

PrintJob::~PrintJob()
{
    stopStepwise();
}

void PrintJob::stopStepwise()
{
    if (m_stepSink && m_report)
        m_report->cancelRun(m_stepSink.get());
    m_stepSink.reset();
}

BandReport* PrintJob::report() const
{
    return m_report;
}

void PrintJob::clearReport()
{
    m_report = nullptr;
}

QPrinterInfo PrintJob::printerAt(int index)
{
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (index >= 0 && index < printers.size())
        return printers[index];
    return QPrinterInfo::defaultPrinter();
}

void PrintJob::setCopies(int copies)
{
    if (copies < 1)
        copies = 1;
    const QPrinterInfo info = printerAt(m_printerIndex);
    if (copies > 1 && !info.isNull()) {
        if (m_copiesProbe ? !m_copiesProbe(info) : !QPrinter(info).supportsMultipleCopies())
            copies = 1;
    } else if (info.isNull()) {
        copies = 1;
    }
    m_copies = copies;
}

bool PrintJob::generate()
{
    stopStepwise();
    if (!m_report)
        return false;
    m_status = Status::Busy;
    m_pages.clear();
    JobSink sink(*this);
    m_report->run(sink);
    m_status = Status::Finished;
    emit pageAvailable(pageCount());
    return true;
}

void PrintJob::generateStepwise()
{
    stopStepwise();
    if (!m_report)
        return;
    m_status = Status::Busy;
    m_pages.clear();
    m_stepSink = std::make_unique<JobSink>(*this);
    m_report->startRun(*m_stepSink);
    generateSlice();
}

void PrintJob::generateSlice()
{
    if (!m_stepSink)
        return;
    // A slice short enough that the window paints and answers in between.
    constexpr int sliceMs = 20;
    const bool done = !m_report || !m_report->isRunningInto(m_stepSink.get())
                      || m_report->stepRun(QDeadlineTimer(sliceMs));
    if (!done) {
        QTimer::singleShot(0, this, &PrintJob::generateSlice);
        return;
    }
    // Ended, or the report went, or another run of it finished this one.
    m_stepSink.reset();
    m_status = Status::Finished;
    emit pageAvailable(pageCount());
}

bool PrintJob::save(const QString& path, QString* error) const
{
    if (m_status != Status::Finished) {
        if (error)
            *error = QStringLiteral("The report is not finished yet.");
        return false;
    }
    return m_pages.saveToFile(path, error);
}

bool PrintJob::load(const QString& path, QString* error, const std::function<void()>& alive)
{
    if (!m_pages.loadFromFile(path, error, alive))
        return false;
    m_report = nullptr;
    m_status = Status::Finished;
    return true;
}

bool PrintJob::exportTo(ExportFilter& filter)
{
    if (!m_report)
        return false;
    return m_report->exportTo(filter);
}

bool PrintJob::exportPages(ExportFilter& filter)
{
    if (m_status != Status::Finished)
        return false;
    filter.begin(m_title);
    for (int i = 1; i <= pageCount(); ++i) {
        if (const std::optional<ReportPage> p = page(i))
            filter.addPage(*p);
    }
    return filter.finish();
}

bool PrintJob::print(QString* error)
{
    const QPrinterInfo info = printerAt(m_printerIndex);
    if (info.isNull()) {
        if (error)
            *error = QStringLiteral("No printer is installed.");
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(m_title);
    printer.setCopyCount(m_copies);
    PrinterSink sink(printer);
    bool done = false;
    if (m_report) {
        done = m_report->run(sink);
    } else {
        for (int i = 1; i <= pageCount(); ++i) {
            if (const std::optional<ReportPage> p = page(i))
                sink.addPage(*p);
        }
        done = sink.finish();
    }
    if (!done && error)
        *error = QStringLiteral("Could not print to %1.").arg(info.printerName());
    return done;
}

void PrintJob::previewClosed()
{
    emit previewWasClosed();
    if (m_deleteOnPreviewClosed)
        deleteLater();
}

} // namespace bw
