#pragma once

#include "cli/ReportOutput.h"
#include "report_engine/PrintPages.h"

#include <QString>

#include <optional>

namespace bw {

// --print of the scan verb: each report goes to a printer as the preview's
// Print button sends it, a page range through the stored pages.
class ReportPrinter : public ReportOutput {
public:
    ReportPrinter(const ScanSession& session, const PrintRequest& request);

    // The index of the installed printer of that name, or of the default one
    // (the first printer when none is the default) for an empty name; nothing,
    // with the reason, when there is no such printer.
    static std::optional<int> printerIndex(const QString& name, QString& problem);

protected:
    bool produce(int n, QString& error) override;

private:
    PrintRequest m_request;
};

} // namespace bw
