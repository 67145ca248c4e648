#include "app/lists/CellTipDelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace bw {

QString CellTipDelegate::tipFor(const QAbstractItemView* view, QStyleOptionViewItem option, const QModelIndex& index) const
{
    const QString rowTip = index.data(Qt::ToolTipRole).toString();
    initStyleOption(&option, index);
    const QStyle* style = view->style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, view);
    // The style keeps a margin on each side of the text inside its rect.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1;
    if (option.text.isEmpty() || option.fontMetrics.horizontalAdvance(option.text) <= textRect.width() - 2 * margin)
        return rowTip;
    return rowTip.isEmpty() ? option.text : option.text + u'\n' + rowTip;
}

QString CellTipDelegate::tipFor(const QAbstractItemView* view, const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.font = view->font();
    option.fontMetrics = view->fontMetrics();
    return tipFor(view, option, index);
}

bool CellTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString tip = tipFor(view, option, index);
    if (tip.isEmpty()) {
        // Not ours: the list's own hint shows.
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    return true;
}

} // namespace bw
