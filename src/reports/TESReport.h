#pragma once

#include "reports/ScanReport.h"

#include <cstdint>

namespace bw {

// The Message DB tab's report: a line per user with the user and message
// databases and the size, and the total of the sizes. A4 portrait, 10 mm
// margins.
class TESReport : public ScanReport {
    Q_OBJECT
public:
    explicit TESReport(const ScanSession& session, QObject* parent = nullptr);

    std::int64_t sizeTotal() const { return SizeTotal; }

private:
    bool ESReportNeedData();
    void SummaryBand1BeforePrint();
    void beforeRun() override { SizeTotal = 0; }

    std::int64_t SizeTotal = 0;
    ReportField* QRLabel10 = nullptr;
    ReportField* QRLabel11 = nullptr;
    ReportField* QRLabel12 = nullptr;
    ReportField* QRLabel13 = nullptr;
    ReportField* QRLabel17 = nullptr;
    ReportField* QRLabel19 = nullptr;
};

} // namespace bw
