#include "report_engine/ReportBand.h"

namespace bw {

ReportBand::ReportBand(Kind kind)
    : m_kind(kind)
    , m_bold(kind != Kind::Detail)
{
}

ReportField& ReportBand::addField(double xMm, double yMm, ReportField::Align align)
{
    m_fields.push_back(std::make_unique<ReportField>(xMm, yMm, align));
    return *m_fields.back();
}

ReportField& ReportBand::addText(const QString& text, double xMm, double yMm, ReportField::Align align)
{
    ReportField& field = addField(xMm, yMm, align);
    field.setText(text);
    return field;
}

ReportField& ReportBand::addDateTime(double xMm, double yMm, ReportField::Align align)
{
    m_fields.push_back(std::make_unique<ReportField>(xMm, yMm, align, ReportField::Kind::DateTime));
    return *m_fields.back();
}

} // namespace bw
