#include "app/widgets/UiScale.h"

#include <QFontMetrics>

#include <cmath>

namespace bw {

namespace {

constexpr double designCharWidth = 5.0;
constexpr double designLineHeight = 13.0;

} // namespace

UiScale::UiScale(const QFontMetrics& metrics)
    : m_x(metrics.averageCharWidth() / designCharWidth)
    , m_y(metrics.height() / designLineHeight)
{
}

int UiScale::x(int designPixels) const
{
    return static_cast<int>(std::lround(designPixels * m_x));
}

int UiScale::y(int designPixels) const
{
    return static_cast<int>(std::lround(designPixels * m_y));
}

} // namespace bw
