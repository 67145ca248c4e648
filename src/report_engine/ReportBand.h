#pragma once

#include "report_engine/ReportField.h"

#include <functional>
#include <memory>
#include <vector>

namespace bw {

// A horizontal strip of a report: its fields, its height (it grows to hold
// its fields), its style and a hook that runs before each print of it and
// may stop that print.
class ReportBand {
public:
    enum class Kind { PageHeader, Title, ColumnHeader, Detail, Summary };
    // Before the band prints; set the flag false to leave this print out.
    using BeforePrint = std::function<void(bool& print)>;

    explicit ReportBand(Kind kind);
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    Kind kind() const { return m_kind; }

    double heightMm() const { return m_height; }
    void setHeightMm(double height) { m_height = height; }

    bool bold() const { return m_bold; }
    void setBold(bool bold) { m_bold = bold; }

    ReportField& addField(double xMm, double yMm, ReportField::Align align = ReportField::Align::Left);
    ReportField& addText(const QString& text, double xMm, double yMm,
                         ReportField::Align align = ReportField::Align::Left);
    ReportField& addDateTime(double xMm, double yMm, ReportField::Align align = ReportField::Align::Left);
    const std::vector<std::unique_ptr<ReportField>>& fields() const { return m_fields; }

    void setBeforePrint(BeforePrint hook) { m_beforePrint = std::move(hook); }
    const BeforePrint& beforePrint() const { return m_beforePrint; }

private:
    Kind m_kind;
    double m_height = 0;
    bool m_bold = false;
    std::vector<std::unique_ptr<ReportField>> m_fields;
    BeforePrint m_beforePrint;
};

} // namespace bw
