#pragma once

#include "report_engine/TextMeasure.h"
#include "reports/ScanReport.h"

namespace bw {

// The Unknown - 52 tab's report: an entry per BLOB file with its library,
// size, time and outcome, and under it the full path that Backdate changes.
// Landscape, 1 mm margins.
class BlobReport : public ScanReport {
    Q_OBJECT
public:
    explicit BlobReport(const ScanSession& session, QObject* parent = nullptr);

private:
    void resetRun() override;
    bool nextRow();
    void fillTotals();

    ReportField* m_file = nullptr;
    ReportField* m_backdated = nullptr;
    ReportField* m_library = nullptr;
    ReportField* m_size = nullptr;
    ReportField* m_time = nullptr;
    ReportField* m_outcome = nullptr;
    ReportField* m_outcomeHeading = nullptr;
    ReportField* m_path = nullptr;
    ReportField* m_total = nullptr;
    TextMeasure m_measure;
};

} // namespace bw
