#include "cli/ReportPrinter.h"

#include "report_engine/PrintJob.h"
#include "report_engine/SystemPrinterList.h"
#include "reports/ScanReport.h"

namespace bw {

ReportPrinter::ReportPrinter(const ScanSession& session, const PrintRequest& request)
    : ReportOutput(session)
    , m_request(request)
{
}

std::optional<int> ReportPrinter::printerIndex(const QString& name, QString& problem)
{
    SystemPrinterList printers;
    if (printers.isEmpty()) {
        problem = QStringLiteral("no printer is installed");
        return std::nullopt;
    }
    if (name.isEmpty())
        return printers.printerIndex();
    const auto index = printers.names().indexOf(name);
    if (index < 0) {
        problem = QStringLiteral("no printer named '%1' is installed (installed: %2)")
                      .arg(name, printers.names().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    return static_cast<int>(index);
}

bool ReportPrinter::produce(int /*n*/, QString& error)
{
    PrintJob job(&report());
    // A page range prints from the stored pages, which a finished job holds.
    if (m_request.fromPage > 0)
        job.generate();
    return printJob(job, m_request, &error);
}

} // namespace bw
