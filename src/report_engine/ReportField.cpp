#include "report_engine/ReportField.h"

namespace bw {

ReportField::ReportField(double xMm, double yMm, Align align, Kind kind)
    : m_x(xMm)
    , m_y(yMm)
    , m_align(align)
    , m_kind(kind)
{
}

void ReportField::setPosition(double xMm, double yMm)
{
    m_x = xMm;
    m_y = yMm;
}

} // namespace bw
