#include "app/lists/RowListModel.h"

#include "base/DisplayText.h"
#include "session/KindProfile.h"

#include <QBrush>
#include <QColor>

#include <unordered_map>

namespace bw {

RowListModel::RowListModel(const KindProfile& profile, RowStore& rows, QObject* parent)
    : QAbstractTableModel(parent)
    , m_profile(profile)
    , m_rows(rows)
    , m_count(static_cast<int>(rows.placedCount()))
{
    m_rows.setObserver(this);
}

RowListModel::~RowListModel()
{
    m_rows.setObserver(nullptr);
}

int RowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int RowListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_profile.columns().size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_count || static_cast<std::size_t>(index.row()) >= m_rows.placedCount())
        return {};
    const Row& row = m_rows.at(static_cast<std::size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row.column(index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_profile.columns()[static_cast<std::size_t>(index.column())].alignment);
    case Qt::CheckStateRole:
        if (m_profile.checkableRows && index.column() == 0)
            return row.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::BackgroundRole:
        if (m_profile.rowColour) {
            if (const auto c = m_profile.rowColour(row))
                return QBrush(QColor(c->red, c->green, c->blue));
        }
        return {};
    case Qt::ToolTipRole:
        if (m_profile.rowTip) {
            const std::string tip = m_profile.rowTip(row);
            if (!tip.empty())
                return displayText(tip);
        }
        return {};
    default:
        return {};
    }
}

QVariant RowListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const auto columns = m_profile.columns();
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(columns[static_cast<std::size_t>(section)].caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns[static_cast<std::size_t>(section)].alignment);
    return {};
}

Qt::ItemFlags RowListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void RowListModel::rowsAboutToChange()
{
    // The store tells us before and after; rows only ever change order or
    // grow in a settle or sort, anything else (clear, a row taken back for
    // assembly) resets the view.
    m_persistentRows.clear();
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& index : persistent)
        m_persistentRows.push_back(index.row() < m_count ? &m_rows.at(static_cast<std::size_t>(index.row())) : nullptr);
    m_resetting = false;
}

void RowListModel::rowsChanged()
{
    const int placed = static_cast<int>(m_rows.placedCount());
    if (placed == 0 && m_count == 0)
        return;
    if (placed == 0) {
        beginRemoveRows({}, 0, m_count - 1);
        m_count = 0;
        endRemoveRows();
        return;
    }
    if (placed < m_count) {
        beginResetModel();
        m_count = placed;
        endResetModel();
        return;
    }
    if (m_count == 0) {
        // Into an empty list the rows arrive in their order already.
        beginInsertRows({}, 0, placed - 1);
        m_count = placed;
        endInsertRows();
        return;
    }
    if (placed > m_count) {
        beginInsertRows({}, m_count, placed - 1);
        m_count = placed;
        endInsertRows();
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    if (!from.isEmpty() && static_cast<std::size_t>(from.size()) == m_persistentRows.size()) {
        std::unordered_map<const Row*, int> where;
        where.reserve(static_cast<std::size_t>(placed));
        for (int i = 0; i < placed; ++i)
            where.emplace(&m_rows.at(static_cast<std::size_t>(i)), i);
        QModelIndexList to;
        to.reserve(from.size());
        for (qsizetype i = 0; i < from.size(); ++i) {
            const auto found = where.find(m_persistentRows[static_cast<std::size_t>(i)]);
            to.push_back(found == where.end() ? QModelIndex() : index(found->second, from[i].column()));
        }
        changePersistentIndexList(from, to);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RowListModel::rowDataChanged(std::size_t index)
{
    if (static_cast<int>(index) < m_count)
        emit dataChanged(this->index(static_cast<int>(index), 0), this->index(static_cast<int>(index), columnCount() - 1));
}

} // namespace bw
