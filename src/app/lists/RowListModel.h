#pragma once

#include "lists/RowStore.h"

#include <QAbstractTableModel>

namespace bw {

struct KindProfile;

// Shows a tab's RowStore in a view: one row per placed row, the visible
// columns of the kind's layout, its colours, tips and check boxes.
// Sorting is the store's, never the view's.
class RowListModel : public QAbstractTableModel, private RowStoreObserver {
    Q_OBJECT
public:
    RowListModel(const KindProfile& profile, RowStore& rows, QObject* parent = nullptr);
    ~RowListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rowsAboutToChange() override;
    void rowsChanged() override;
    void rowDataChanged(std::size_t index) override;

    const KindProfile& m_profile;
    RowStore& m_rows;
    int m_count = 0;
    bool m_resetting = false;
    std::vector<const Row*> m_persistentRows;
};

} // namespace bw
