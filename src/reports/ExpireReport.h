#pragma once

#include "reports/ScanReport.h"

#include <cstdint>

namespace bw {

// The Message DB tab's report: a line per user with the user and message
// databases and the size, and the total of the sizes. A4 portrait, 10 mm
// margins.
class ExpireReport : public ScanReport {
    Q_OBJECT
public:
    explicit ExpireReport(const ScanSession& session, QObject* parent = nullptr);

    std::int64_t sizeTotal() const { return m_sizeTotal; }

private:
    bool nextRow();
    void fillTotals();
    void resetRun() override { m_sizeTotal = 0; }

    std::int64_t m_sizeTotal = 0;
    ReportField* m_user = nullptr;
    ReportField* m_userDatabase = nullptr;
    ReportField* m_messageDatabase = nullptr;
    ReportField* m_size = nullptr;
    ReportField* m_userCount = nullptr;
    ReportField* m_sizeTotalField = nullptr;
};

} // namespace bw
