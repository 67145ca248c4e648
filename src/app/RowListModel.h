#pragma once

#include "lists/RowStore.h"

#include <QAbstractTableModel>

namespace bw {

enum class ScanKind;
struct ColumnInfo;

// Shows a tab's RowStore in a view: one row per placed row, the visible
// columns of the tab's layout, and the Contents list's colours and tips.
// Sorting is the store's, never the view's.
class RowListModel : public QAbstractTableModel, private RowStoreObserver {
    Q_OBJECT
public:
    RowListModel(ScanKind kind, RowStore& rows, QObject* parent = nullptr);
    ~RowListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A log value as text: UTF-8 when it is valid UTF-8, otherwise Latin-1.
    static QString displayText(const std::string& bytes);

private:
    void rowsAboutToChange() override;
    void rowsChanged() override;
    void rowDataChanged(std::size_t index) override;

    ScanKind m_kind;
    RowStore& m_rows;
    int m_count = 0;
    bool m_resetting = false;
    std::vector<const Row*> m_persistentRows;
};

} // namespace bw
