#pragma once

#include "report_engine/TextMeasure.h"
#include "reports/ScanReport.h"

#include <array>

namespace bw {

// The Document Rescue tab's report: an entry per row, the row's seven
// columns and under them the path the rescue copies its file to, built from
// the tab's output folder as it stands when the report runs. US Letter
// landscape, 1 mm margins, laid out in pixels at 96 to the inch.
class DocumentReport : public ScanReport {
    Q_OBJECT
public:
    explicit DocumentReport(const ScanSession& session, QObject* parent = nullptr);

private:
    bool nextRow();
    void fillTotals();
    void resetRun() override;

    // Document, Version, Author, Library, Author DPU, Extension, Output File.
    std::array<ReportField*, 7> m_columns{};
    ReportField* m_exportedTo = nullptr;
    ReportField* m_target = nullptr;
    ReportField* m_total = nullptr;
    TextMeasure m_measure;
};

} // namespace bw
