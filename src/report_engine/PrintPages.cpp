#include "report_engine/PrintPages.h"

#include "report_engine/BandReport.h"
#include "report_engine/PageFileHelpers.h"
#include "report_engine/PrintJob.h"
#include "report_engine/TemporaryFileName.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace bw {

namespace {

bool printReport(PrintJob& job, BandReport& report, int printer, int copies, QString* error)
{
    report.setPrinterIndex(printer);
    if (copies >= 2) {
        job.setCopies(copies);
        if (job.copies() == 1) {
            // The printer makes no copies itself: the report runs once a copy.
            for (int i = 0; i < copies; ++i) {
                if (!job.print(error))
                    return false;
            }
            return true;
        }
    }
    report.setCopies(copies);
    // The job prints with its own copies; one copy must not keep an earlier
    // print's count.
    job.setCopies(copies);
    return job.print(error);
}

bool printStoredPages(PrintJob& job, const PrintRequest& request, QString* error)
{
    const QString t1 = TemporaryFileName::create(QStringLiteral("QRP"));
    const QString t2 = TemporaryFileName::create(QStringLiteral("QRP"));
    const QString t3 = TemporaryFileName::create(QStringLiteral("QRP"));
    QString why;
    bool printed = false;
    if (t1.isEmpty() || t2.isEmpty() || t3.isEmpty()) {
        why = QStringLiteral("Could not make a temporary file in %1.").arg(QDir::toNativeSeparators(QDir::tempPath()));
    } else if (job.save(t1, &why) && extractPages(t1, t2, request.fromPage, request.toPage, &why)) {
        PrintJob pages;
        pages.setPrinterIndex(request.printer);
        // The queue shows the report's name rather than none.
        pages.setTitle(job.title());
        bool loaded = false;
        if (request.copies < 2) {
            loaded = pages.load(t2, &why);
        } else {
            const QStringList files(request.copies, t2);
            loaded = mergePageFiles(t3, &files, &why) == MergeOk && pages.load(t3, &why);
        }
        if (loaded)
            printed = pages.print(&why);
        else if (why.isEmpty())
            why = QStringLiteral("Could not read the pages to print.");
    } else if (why.isEmpty()) {
        why = QStringLiteral("Could not store the pages to print.");
    }
    for (const QString& name : {t3, t2, t1}) {
        if (!name.isEmpty())
            QFile::remove(name);
    }
    if (!printed && error)
        *error = why;
    return printed;
}

} // namespace

bool printJob(PrintJob& job, const PrintRequest& request, QString* error)
{
    job.setPrinterIndex(request.printer);
    BandReport* report = job.report();
    if (request.fromPage <= 0 && report)
        return printReport(job, *report, request.printer, request.copies, error);
    return printStoredPages(job, request, error);
}

} // namespace bw
