#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace bw {

// Draws cells as usual; a cell too narrow for its text shows the whole text
// as its tip (with the row's own tip after it), so nothing cut off is lost.
class CellTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The tip the cell shows: its whole text when it is cut, otherwise the
    // row's tip (which may be empty: the list's own hint shows then).
    QString tipFor(const QAbstractItemView* view, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QString tipFor(const QAbstractItemView* view, QStyleOptionViewItem option, const QModelIndex& index) const;
};

} // namespace bw
