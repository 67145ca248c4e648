#include "report_engine/TextMeasure.h"

#include "report_engine/ReportUnits.h"

#include <QTextLayout>
#include <QTextOption>

namespace bw {

namespace {

constexpr int measureDpi = 1200;

} // namespace

TextMeasure::TextMeasure()
    : m_device(1, 1, QImage::Format_RGB32)
    , m_mmPerDot(mmPerInch / measureDpi)
{
    const int dotsPerMetre = static_cast<int>(measureDpi / 0.0254 + 0.5);
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
}

const QFontMetricsF& TextMeasure::metrics(const QString& family, double pointSize, bool bold, bool italic)
{
    Key key{family, pointSize, bold, italic};
    auto it = m_metrics.find(key);
    if (it == m_metrics.end()) {
        QFont font(family);
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        font.setItalic(italic);
        it = m_metrics.emplace(std::move(key), std::make_unique<QFontMetricsF>(font, &m_device)).first;
    }
    return *it->second;
}

double TextMeasure::lineHeightMm(const QString& family, double pointSize, bool bold, bool italic)
{
    return metrics(family, pointSize, bold, italic).height() * m_mmPerDot;
}

double TextMeasure::widthMm(const QString& text, const QString& family, double pointSize, bool bold, bool italic)
{
    return metrics(family, pointSize, bold, italic).horizontalAdvance(text) * m_mmPerDot;
}

double TextMeasure::wrappedHeightMm(const QString& text, double widthMm, const QString& family, double pointSize,
                                    bool bold, bool italic)
{
    // Broken as PageRenderer draws it: at blanks, and inside a word that
    // does not fit on a line by itself.
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    QTextLayout layout(text, font, &m_device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double width = widthMm / m_mmPerDot;
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height * m_mmPerDot;
}

} // namespace bw
