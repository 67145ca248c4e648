#include "app/lists/RowListView.h"

#include <QPainter>

namespace bw {

RowListView::RowListView(QWidget* parent)
    : QTreeView(parent)
{
}

void RowListView::setPlaceholderText(const QString& text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    viewport()->update();
}

void RowListView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (m_placeholder.isEmpty() || (model() && model()->rowCount(rootIndex()) > 0))
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_placeholder);
}

} // namespace bw
