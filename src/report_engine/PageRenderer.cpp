#include "report_engine/PageRenderer.h"

#include "report_engine/ReportPage.h"
#include "report_engine/ReportUnits.h"
#include "report_engine/TextMeasure.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include <optional>

namespace bw {

void PageRenderer::draw(QPainter& painter, const ReportPage& page, double scale)
{
    // Point sizes are taken at the device's own resolution; grow them with
    // the scale so that the text keeps its size on the page.
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    const double pointFactor = scale * mmPerInch / (deviceDpi > 0 ? deviceDpi : 96);
    painter.save();
    painter.setPen(Qt::black);
    QFont font;
    std::optional<TextMeasure> measure;
    for (const PageText& t : page.texts()) {
        font.setFamily(t.family);
        font.setPointSizeF(t.pointSize * pointFactor);
        font.setBold(t.bold);
        font.setItalic(t.italic);
        painter.setFont(font);
        int flags = Qt::AlignTop | Qt::TextDontClip;
        switch (t.align) {
        case PageText::Align::Left: flags |= Qt::AlignLeft; break;
        case PageText::Align::Right: flags |= Qt::AlignRight; break;
        case PageText::Align::Center: flags |= Qt::AlignHCenter; break;
        }
        const QRectF& r = t.rectMm;
        const QRectF box(r.left() * scale, r.top() * scale, r.width() * scale, r.height() * scale);
        if (t.wrap) {
            // Broken where the layout broke it, whatever the device.
            if (!measure)
                measure.emplace();
            const double lineHeight = measure->lineHeightMm(t.family, t.pointSize, t.bold, t.italic) * scale;
            const auto lines = measure->wrapLines(t.text, r.width(), t.family, t.pointSize, t.bold, t.italic);
            double top = box.top();
            for (const TextMeasure::Span& line : lines) {
                painter.drawText(QRectF(box.left(), top, box.width(), lineHeight), flags,
                                 t.text.mid(line.start, line.length));
                top += lineHeight;
            }
        } else {
            painter.drawText(box, flags, t.text);
        }
    }
    painter.restore();
}

} // namespace bw
