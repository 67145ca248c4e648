#include "app/mainwindow/StatusText.h"

#include <QEvent>
#include <QPainter>

namespace bw {

StatusText::StatusText(Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent)
    , m_alignment(alignment | Qt::AlignVCenter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusText::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateTip();
    update();
}

void StatusText::updateTip()
{
    m_cut = isCut();
    setToolTip(m_cut ? m_text : QString());
}

bool StatusText::isCut() const
{
    return fontMetrics().horizontalAdvance(m_text) > width();
}

void StatusText::resizeEvent(QResizeEvent*)
{
    updateTip();
}

void StatusText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateTip();
    QWidget::changeEvent(event);
}

QSize StatusText::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 20, fontMetrics().height() + 4};
}

QSize StatusText::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 4, fontMetrics().height() + 4};
}

void StatusText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    // Eliding lays the text out once more; most texts fit.
    painter.drawText(rect(), static_cast<int>(m_alignment),
                     m_cut ? fontMetrics().elidedText(m_text, Qt::ElideMiddle, width()) : m_text);
}

} // namespace bw
