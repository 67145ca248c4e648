#include "lists/RowStore.h"

#include "base/Prefetch.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>

namespace bw {

RowStore::RowStore(std::unique_ptr<RowOrder> order, const SortState& sort, int lookupColumn)
    : m_order(std::move(order))
    , m_sort(sort)
    , m_lookupColumn(lookupColumn)
    , m_orderedUnder(sort)
{
}

RowStore::RowStore(CompareRule rule, const SortState& sort, SortKeyRule key, int lookupColumn)
    : RowStore(ruleOrder(rule, key), sort, lookupColumn)
{
}

const Row& RowStore::at(std::size_t index) const
{
    if (index < m_placed.size())
        return *m_placed[index];
    index -= m_placed.size();
    if (index < m_queued.size())
        return *m_queued[index];
    return *m_assembling.at(index - m_queued.size());
}

Row& RowStore::at(std::size_t index)
{
    return const_cast<Row&>(static_cast<const RowStore*>(this)->at(index));
}

void RowStore::enter(std::vector<Row*>& list, Row& row, State state)
{
    row.place.state = state;
    row.place.slot = static_cast<std::uint32_t>(list.size());
    list.push_back(&row);
}

Row& RowStore::newRow(std::string_view caption)
{
    if (m_block < m_storage.size() && m_inBlock == m_storage[m_block].size) {
        ++m_block;
        m_inBlock = 0;
    }
    if (m_block == m_storage.size()) {
        const std::size_t size = std::size_t(32) << std::min<std::size_t>(m_storage.size(), 6);
        m_storage.push_back({std::unique_ptr<Row[]>(new Row[size]), size});
    }
    Row& row = m_storage[m_block].rows[m_inBlock++];
    row.caption.assign(caption);
    row.checked = false;
    return row;
}

void RowStore::admit(Row& row)
{
    row.place.sequence = ++m_sequence;
    indexRow(row);
    if (m_suspended)
        enter(m_assembling, row, Assembling);
    else
        enterQueue(row);
}

void RowStore::enterQueue(Row& row)
{
    enter(m_queued, row, Queued);
    QueuedKey queued{{}, row.place.sequence, -1};
    if (m_order->hasSortKeys()) {
        // The column placeQueued() will sort by, as far as can be told now.
        queued.column = m_placed.empty() ? m_sort.column : m_orderedUnder.column;
        queued.key = m_order->sortKey(row, queued.column);
    }
    m_queuedKeys.push_back(queued);
}

bool RowStore::inQueue(const Row& row) const
{
    return row.place.slot < m_queued.size() && m_queued[row.place.slot] == &row;
}

Row& RowStore::add(std::string_view caption, const std::vector<std::string>& subItems)
{
    Row& row = newRow(caption);
    row.setSubItems(subItems);
    admit(row);
    return row;
}

std::string_view RowStore::keyOf(const Row& row) const
{
    return m_lookupColumn < 0 ? std::string_view() : row.column(m_lookupColumn);
}

namespace {

std::uint64_t mixIn(std::uint64_t h, std::uint64_t word)
{
    h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 31);
}

// Eight bytes at a step, the last few read as two overlapping words: the
// names and IDs looked up are a dozen bytes, and every record of a scan
// hashes one.
std::uint64_t hashBytes(std::uint64_t h, std::string_view s)
{
    const char* p = s.data();
    std::size_t n = s.size();
    h = mixIn(h, n);
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = mixIn(h, word);
    }
    if (n >= 4) {
        std::uint32_t first;
        std::uint32_t last;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        h = mixIn(h, (std::uint64_t(first) << 32) | last);
    } else if (n > 0) {
        const auto byte = [p](std::size_t i) { return std::uint64_t(static_cast<unsigned char>(p[i])); };
        h = mixIn(h, (byte(0) << 16) | (byte(n / 2) << 8) | byte(n - 1));
    }
    return h;
}

} // namespace

std::uint64_t RowStore::keyHash(std::string_view caption, std::string_view key)
{
    std::uint64_t h = hashBytes(hashBytes(0x9E3779B97F4A7C15ull, caption), key);
    h = (h ^ (h >> 32)) * 0x94D049BB133111EBull;
    return h ^ (h >> 29);
}

RowStore::IndexSlot& RowStore::slotFor(std::uint64_t hash, std::string_view caption, std::string_view key)
{
    const std::size_t mask = m_index.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        ++m_probes;
        IndexSlot& slot = m_index[i];
        if (!slot.row || (slot.hash == hash && slot.row->caption == caption && keyOf(*slot.row) == key))
            return slot;
    }
}

void RowStore::growIndex()
{
    Index old(std::max<std::size_t>(64, m_index.size() * 2), IndexSlot{0, nullptr, 0});
    old.swap(m_index);
    const std::size_t mask = m_index.size() - 1;
    for (const IndexSlot& slot : old) {
        if (!slot.row)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_index[i].row)
            i = (i + 1) & mask;
        m_index[i] = slot;
    }
}

void RowStore::indexRow(Row& row)
{
    if ((m_indexed + 1) * 2 > m_index.size())
        growIndex();
    const std::string_view key = keyOf(row);
    const std::uint64_t hash = keyHash(row.caption, key);
    IndexSlot& slot = slotFor(hash, row.caption, key);
    if (slot.row) {
        ++slot.count;
        return;
    }
    slot = {hash, &row, 1};
    ++m_indexed;
}

Row* RowStore::firstInListOrder(std::string_view caption, const std::string_view* key)
{
    const std::size_t n = size();
    for (std::size_t i = 0; i < n; ++i) {
        Row& row = at(i);
        if (row.caption == caption && (!key || keyOf(row) == *key))
            return &row;
    }
    return nullptr;
}

Row* RowStore::find(std::string_view caption, std::string_view key)
{
    return find(caption, key, 0);
}

Row* RowStore::find(std::string_view caption, std::string_view key, std::uint64_t hash)
{
    if (m_index.empty())
        return nullptr;
    const IndexSlot& slot = slotFor(hash != 0 ? hash : keyHash(caption, key), caption, key);
    if (!slot.row)
        return nullptr;
    if (slot.count == 1)
        return slot.row;
    return firstInListOrder(caption, &key);
}

void RowStore::prefetch(std::uint64_t hash) const
{
    if (!m_index.empty())
        bw::prefetch(&m_index[hash & (m_index.size() - 1)]);
}

Row* RowStore::find(std::string_view caption)
{
    if (m_lookupColumn < 0)
        return find(caption, {});
    return firstInListOrder(caption, nullptr);
}

void RowStore::touch(Row& row)
{
    if (!m_suspended)
        return;
    const bool placed = row.place.state == Placed || (row.place.state == Queued && !inQueue(row));
    switch (placed ? Placed : static_cast<State>(row.place.state)) {
    case Placed:
        // Moving it now would shift the whole list and reset the view for
        // every record; it stays visible where it is until the next settle.
        row.place.state = Stale;
        ++m_staleAssembling;
        break;
    case Stale:
        if (row.place.sequence > m_suspendedAt)
            return;
        --m_staleDue;
        ++m_staleAssembling;
        break;
    case Queued: {
        // The queue keeps no order (sequence numbers do), so the last row
        // fills the gap.
        Row* last = m_queued.back();
        m_queued[row.place.slot] = last;
        m_queuedKeys[row.place.slot] = m_queuedKeys.back();
        last->place.slot = row.place.slot;
        m_queued.pop_back();
        m_queuedKeys.pop_back();
        enter(m_assembling, row, Assembling);
        break;
    }
    case Assembling:
        return;
    }
    row.place.sequence = ++m_sequence;
}

void RowStore::beginUpdate()
{
    if (m_suspended)
        return;
    m_suspended = true;
    m_suspendedAt = m_sequence;
}

void RowStore::endUpdate()
{
    if (!m_suspended)
        return;
    m_suspended = false;
    for (Row* row : m_assembling)
        enterQueue(*row);
    m_assembling.clear();
    m_staleDue += m_staleAssembling;
    m_staleAssembling = 0;
}

bool RowStore::before(const Row* a, const Row* b, const SortState& order) const
{
    return m_order->compare(*a, *b, order.column) * order.direction < 0;
}

void RowStore::sortRows(std::vector<Row*>& rows, const SortState& order) const
{
    // A stable sort: rows equal under the order keep their places.
    const bool keyed = m_order->hasSortKeys();
    std::vector<SortEntry> entries;
    entries.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        entries.push_back({keyed ? m_order->sortKey(*rows[i], order.column) : SortKey{}, i, rows[i]});
    sortEntries(entries, order, rows);
}

void RowStore::sortEntries(std::vector<SortEntry>& entries, const SortState& order, std::vector<Row*>& rows) const
{
    // Keys keep most comparisons to one integer test on contiguous memory;
    // the rule decides only between equal keys that do not decide alone,
    // and the tie-break between rows the rule finds equal.
    const bool ascending = order.direction > 0;
    const auto less = [&](const SortEntry& a, const SortEntry& b) {
        if (a.key.high != b.key.high)
            return ascending ? a.key.high < b.key.high : a.key.high > b.key.high;
        if (a.key.low != b.key.low)
            return ascending ? a.key.low < b.key.low : a.key.low > b.key.low;
        if (!a.key.decisive || !b.key.decisive) {
            const int c = m_order->compare(*a.row, *b.row, order.column) * order.direction;
            if (c != 0)
                return c < 0;
        }
        return a.tieBreak < b.tieBreak;
    };
    // Every entry differs from every other in this order, so any sort gives
    // the same list: a large one whose keys decide alone (no rule reads a
    // row, and no order's memory is shared) is sorted in two halves at once.
    constexpr std::size_t halvesFrom = 65536;
    const bool decisive = std::all_of(entries.begin(), entries.end(), [](const SortEntry& e) { return e.key.decisive; });
    // Keys that decide alone compare as integers, a strict order, so the
    // quicker unstable sort serves. A rule's answers are not trusted that
    // far: the merge sort stays in bounds whatever they are.
    const auto sortRange = [&](auto first, auto last) {
        if (decisive)
            std::sort(first, last, less);
        else
            std::stable_sort(first, last, less);
    };
    const auto middle = entries.begin() + static_cast<std::ptrdiff_t>(entries.size() / 2);
    std::thread helper;
    if (decisive && entries.size() >= halvesFrom) {
        try {
            helper = std::thread([&] { sortRange(entries.begin(), middle); });
        } catch (const std::system_error&) {
            // No thread to be had: one sort, as for small lists.
        }
    }
    if (!helper.joinable()) {
        sortRange(entries.begin(), entries.end());
        for (std::size_t i = 0; i < entries.size(); ++i)
            rows[i] = entries[i].row;
        return;
    }
    sortRange(middle, entries.end());
    helper.join();
    auto left = entries.begin();
    auto right = middle;
    for (Row*& slot : rows)
        slot = (right == entries.end() || (left != middle && !less(*right, *left)) ? left++ : right++)->row;
}

bool RowStore::placingDue() const
{
    return !m_queued.empty() || m_staleDue > 0;
}

void RowStore::takeStaleRows()
{
    if (m_staleDue == 0 && m_staleAssembling == 0)
        return;
    // One pass: rows taken back in an earlier suspension join the queue,
    // those of the current one wait with the rows under assembly.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_placed.size(); ++i) {
        Row* row = m_placed[i];
        if (row->place.state != Stale)
            m_placed[kept++] = row;
        else if (m_suspended && row->place.sequence > m_suspendedAt)
            enter(m_assembling, *row, Assembling);
        else
            enterQueue(*row);
    }
    m_placed.resize(kept);
    m_staleDue = 0;
    m_staleAssembling = 0;
}

void RowStore::orderQueue(const SortState& order)
{
    // By key, then by the rule, then in the order of completion, which the
    // queue keeps only roughly (touch() fills gaps from its end). Keys taken
    // for another column are taken again.
    const bool keyed = m_order->hasSortKeys();
    std::vector<SortEntry> entries;
    entries.reserve(m_queued.size());
    for (std::size_t i = 0; i < m_queued.size(); ++i) {
        const QueuedKey& queued = m_queuedKeys[i];
        Row* row = m_queued[i];
        entries.push_back({keyed && queued.column != order.column ? m_order->sortKey(*row, order.column) : queued.key,
                           queued.sequence, row});
    }
    sortEntries(entries, order, m_queued);
}

void RowStore::placeQueued()
{
    takeStaleRows();
    // Under the order the list is in (an empty list is in any): a new row
    // goes after the rows equal to it, and equal new rows keep the order in
    // which they were completed.
    if (m_placed.empty())
        m_orderedUnder = m_sort;
    const SortState& order = m_orderedUnder;
    auto less = [this, &order](const Row* a, const Row* b) { return before(a, b, order); };
    orderQueue(order);
    // The rows keep the state Queued: once the queue is emptied, inQueue()
    // tells that they are placed.
    if (m_placed.empty()) {
        m_placed.swap(m_queued);
    } else if (m_queued.size() < 64) {
        for (Row* row : m_queued)
            m_placed.insert(std::upper_bound(m_placed.begin(), m_placed.end(), row, less), row);
    } else {
        const auto middle = static_cast<std::ptrdiff_t>(m_placed.size());
        m_placed.insert(m_placed.end(), m_queued.begin(), m_queued.end());
        std::inplace_merge(m_placed.begin(), m_placed.begin() + middle, m_placed.end(), less);
    }
    m_queued.clear();
    m_queuedKeys.clear();
}

void RowStore::settle()
{
    const bool reorder = m_orderedUnder.column != m_sort.column || m_orderedUnder.direction != m_sort.direction;
    if (!placingDue() && !reorder)
        return;
    if (m_observer)
        m_observer->rowsAboutToChange();
    placeQueued();
    // The shared order may have moved under us (another list's header).
    if (reorder)
        sortRows(m_placed, m_sort);
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
    sortRows(m_placed, m_sort);
    m_orderedUnder = m_sort;
    if (m_observer)
        m_observer->rowsChanged();
}

void RowStore::clear()
{
    if (m_observer)
        m_observer->rowsAboutToChange();
    m_placed.clear();
    m_queued.clear();
    m_queuedKeys.clear();
    m_assembling.clear();
    m_staleDue = 0;
    m_staleAssembling = 0;
    m_sequence = 0;
    m_suspendedAt = 0;
    // The next section is likely as large as this one: keep the table for
    // it, unless it is far larger than this section needed, so that emptying
    // small lists never costs more than filling them did.
    if (m_index.size() > 65536 && m_index.size() > 8 * m_indexed)
        m_index.clear();
    else
        std::fill(m_index.begin(), m_index.end(), IndexSlot{0, nullptr, 0});
    m_indexed = 0;
    // Rows are refilled, not freed: the largest section's rows stay allocated.
    m_block = 0;
    m_inBlock = 0;
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
