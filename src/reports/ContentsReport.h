#pragma once

#include "reports/ScanReport.h"

#include <array>
#include <cstdint>

namespace bw {

// The Contents Check tab's report: a line per user (two for a user under
// disk space management, the name then in bold italic when over a limit),
// the log path in the title and the totals of the five size columns.
// A4 portrait, 10 mm margins.
class ContentsReport : public ScanReport {
    Q_OBJECT
public:
    explicit ContentsReport(const ScanSession& session, QObject* parent = nullptr);

    // User DB Size, InBox, OutBox, WasteBasket and Total size, as summed.
    const std::array<std::int64_t, 5>& totals() const { return m_totals; }

private:
    bool nextRow();
    void fillTotals();
    void resetRun() override { m_totals = {}; }

    std::array<std::int64_t, 5> m_totals{};
    ReportField* m_name = nullptr;
    ReportField* m_fid = nullptr;
    std::array<ReportField*, 5> m_sizes{};
    ReportField* m_runDate = nullptr;
    // The second line, each shown only under disk space management.
    std::array<ReportField*, 6> m_second{};
    ReportField* m_limit = nullptr;
    ReportField* m_threshold = nullptr;
    ReportField* m_flag = nullptr;
    ReportField* m_users = nullptr;
    std::array<ReportField*, 5> m_totalFields{};
};

} // namespace bw
