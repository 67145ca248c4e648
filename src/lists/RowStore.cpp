#include "lists/RowStore.h"

#include <algorithm>

namespace bw {

namespace {
const std::string kEmpty;
}

const std::string& Row::column(int index) const
{
    if (index <= 0)
        return caption;
    const auto k = static_cast<std::size_t>(index - 1);
    return k < subItems.size() ? subItems[k] : kEmpty;
}

RowStore::RowStore(CompareRule rule, const SortState& sort, SortKeyRule key)
    : m_rule(rule)
    , m_key(key)
    , m_sort(sort)
    , m_orderedUnder(sort)
{
}

const Row& RowStore::at(std::size_t index) const
{
    if (index < m_order.size())
        return *m_order[index];
    index -= m_order.size();
    if (index < m_queued.size())
        return *m_queued[index];
    return *m_assembling.at(index - m_queued.size());
}

Row& RowStore::at(std::size_t index)
{
    return const_cast<Row&>(static_cast<const RowStore*>(this)->at(index));
}

Row& RowStore::add(std::string_view caption, const std::vector<std::string>& subItems)
{
    Row& row = m_used < m_storage.size() ? m_storage[m_used] : m_storage.emplace_back();
    ++m_used;
    row.caption.assign(caption);
    row.subItems = subItems;
    row.checked = false;
    indexRow(&row);
    (m_suspended ? m_assembling : m_queued).push_back(&row);
    return row;
}

std::uint64_t RowStore::captionHash(std::string_view caption)
{
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (const char c : caption) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h ^ (h >> 29);
}

void RowStore::indexRow(Row* row)
{
    if ((m_indexed + 1) * 2 > m_index.size()) {
        std::vector<IndexSlot> old(std::max<std::size_t>(64, m_index.size() * 2), IndexSlot{0, nullptr});
        old.swap(m_index);
        m_indexed = 0;
        for (const IndexSlot& slot : old) {
            if (slot.row)
                indexRow(slot.row);
        }
    }
    const std::uint64_t hash = captionHash(row->caption);
    const std::size_t mask = m_index.size() - 1;
    std::size_t i = hash & mask;
    while (m_index[i].row)
        i = (i + 1) & mask;
    m_index[i] = {hash, row};
    ++m_indexed;
}

std::size_t RowStore::orderIndexOf(const Row* row) const
{
    const std::size_t n = size();
    for (std::size_t i = 0; i < n; ++i) {
        if (&at(i) == row)
            return i;
    }
    return n;
}

void RowStore::touch(Row& row)
{
    if (!m_suspended)
        return;
    if (std::find(m_assembling.begin(), m_assembling.end(), &row) != m_assembling.end())
        return;
    auto fromOrder = std::find(m_order.begin(), m_order.end(), &row);
    if (fromOrder != m_order.end()) {
        if (m_observer)
            m_observer->rowsAboutToChange();
        m_order.erase(fromOrder);
        if (m_observer)
            m_observer->rowsChanged();
    } else {
        auto fromQueue = std::find(m_queued.begin(), m_queued.end(), &row);
        if (fromQueue == m_queued.end())
            return;
        m_queued.erase(fromQueue);
    }
    m_assembling.push_back(&row);
}

void RowStore::endUpdate()
{
    if (!m_suspended)
        return;
    m_suspended = false;
    m_queued.insert(m_queued.end(), m_assembling.begin(), m_assembling.end());
    m_assembling.clear();
}

bool RowStore::before(const Row* a, const Row* b, const SortState& order) const
{
    return m_rule(*a, *b, order.column) * order.direction < 0;
}

void RowStore::sortRows(std::vector<Row*>& rows, const SortState& order) const
{
    auto less = [this, &order](const Row* a, const Row* b) { return before(a, b, order); };
    if (!m_key || rows.size() < 32) {
        std::stable_sort(rows.begin(), rows.end(), less);
        return;
    }
    // Keys keep most comparisons to one integer test on contiguous memory.
    struct Keyed {
        SortKey key;
        Row* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    for (Row* row : rows)
        keyed.push_back({m_key(*row, order.column), row});
    const bool ascending = order.direction > 0;
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.key.high != b.key.high)
            return ascending ? a.key.high < b.key.high : a.key.high > b.key.high;
        if (a.key.low != b.key.low)
            return ascending ? a.key.low < b.key.low : a.key.low > b.key.low;
        if (a.key.decisive && b.key.decisive)
            return false;
        return before(a.row, b.row, order);
    });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].row;
}

void RowStore::placeQueued()
{
    // Under the order the list is in (an empty list is in any): a new row
    // goes after the rows equal to it, and equal new rows keep the order in
    // which they were completed.
    if (m_order.empty())
        m_orderedUnder = m_sort;
    const SortState& order = m_orderedUnder;
    auto less = [this, &order](const Row* a, const Row* b) { return before(a, b, order); };
    sortRows(m_queued, order);
    if (m_order.empty()) {
        m_order.swap(m_queued);
    } else if (m_queued.size() < 64) {
        for (Row* row : m_queued)
            m_order.insert(std::upper_bound(m_order.begin(), m_order.end(), row, less), row);
    } else {
        const auto middle = static_cast<std::ptrdiff_t>(m_order.size());
        m_order.insert(m_order.end(), m_queued.begin(), m_queued.end());
        std::inplace_merge(m_order.begin(), m_order.begin() + middle, m_order.end(), less);
    }
    m_queued.clear();
}

void RowStore::settle()
{
    const bool reorder = m_orderedUnder.column != m_sort.column || m_orderedUnder.direction != m_sort.direction;
    if (m_queued.empty() && !reorder)
        return;
    if (m_observer)
        m_observer->rowsAboutToChange();
    placeQueued();
    // The shared order may have moved under us (another list's header).
    if (reorder)
        sortRows(m_order, m_sort);
    m_orderedUnder = m_sort;
    if (m_observer)
        m_observer->rowsChanged();
}

void RowStore::sort()
{
    if (m_observer)
        m_observer->rowsAboutToChange();
    // Completed rows take their places under the old order first, as they
    // would have had each been placed at once.
    placeQueued();
    sortRows(m_order, m_sort);
    m_orderedUnder = m_sort;
    if (m_observer)
        m_observer->rowsChanged();
}

void RowStore::clear()
{
    if (m_observer)
        m_observer->rowsAboutToChange();
    m_order.clear();
    m_queued.clear();
    m_assembling.clear();
    // Keep a modest table for the next section; drop a huge one.
    if (m_index.size() > 65536)
        m_index.clear();
    else
        std::fill(m_index.begin(), m_index.end(), IndexSlot{0, nullptr});
    m_indexed = 0;
    if (m_storage.size() > 65536)
        m_storage.clear();
    m_used = 0;
    m_suspended = false;
    m_orderedUnder = m_sort;
    if (m_observer)
        m_observer->rowsChanged();
}

void RowStore::setChecked(std::size_t index, bool checked)
{
    at(index).checked = checked;
    if (m_observer)
        m_observer->rowDataChanged(index);
}

} // namespace bw
