#pragma once

#include "lists/Row.h"
#include "lists/SortState.h"

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

namespace bw {

// Orders two rows by a column, ignoring the direction: <0, 0 or >0. Rules
// must be total orders so that a sort can never fail.
using CompareRule = int (*)(const Row& a, const Row& b, int column);

// Optional companion of a compare rule that makes sorting large lists cheap:
// a key per row and column such that a smaller key (high, then low) always
// means an earlier row. Rows with equal keys are left to the compare rule,
// unless both keys are decisive: then the rows are equal.
struct SortKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    bool decisive = false;
};
using SortKeyRule = SortKey (*)(const Row& row, int column);

// Told when the order or the set of rows changes, so a view can follow.
class RowStoreObserver {
public:
    virtual ~RowStoreObserver() = default;
    virtual void rowsAboutToChange() = 0;
    virtual void rowsChanged() = 0;
    virtual void rowDataChanged(std::size_t index) = 0;
};

// A tab's rows in the order shown. Rows completed while a scan runs are
// placed by the tab's compare rule under the shared sort state; a row under
// assembly (updates suspended) takes its place only when the suspension ends.
//
// Placing is batched: completed rows wait in a short queue and are merged
// into the ordered rows by settle(), which gives exactly the order that
// placing each one by binary search would give, without moving the whole
// list for every row. The scan settles at every pause and at the end; the
// window settles after every slice of scanning.
class RowStore {
public:
    RowStore(CompareRule rule, const SortState& sort, SortKeyRule key = nullptr);

    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    void setObserver(RowStoreObserver* observer) { m_observer = observer; }

    // All rows: the ordered ones first (settled), then completed rows not yet
    // merged, then rows under assembly.
    std::size_t size() const { return m_order.size() + m_queued.size() + m_assembling.size(); }
    bool empty() const { return size() == 0; }
    // The rows in their place: the first placedCount() rows of at().
    std::size_t placedCount() const { return m_order.size(); }
    const Row& at(std::size_t index) const;
    Row& at(std::size_t index);

    // Adds a row; while updates are suspended it waits until they resume.
    Row& add(std::string_view caption, const std::vector<std::string>& subItems);

    // The first row (in list order) whose caption equals caption exactly and
    // that satisfies the predicate, or nullptr.
    template <typename Pred>
    Row* find(std::string_view caption, Pred pred);
    Row* find(std::string_view caption)
    {
        return find(caption, [](const Row&) { return true; });
    }

    // A row whose fields change while updates are suspended is placed again
    // when they resume, as the list re-sorts then.
    void touch(Row& row);

    void beginUpdate() { m_suspended = true; }
    void endUpdate();
    bool suspended() const { return m_suspended; }

    // Merges completed rows into the order; notifies the observer if any.
    void settle();

    // Re-sorts every row under the shared sort state (a header click).
    void sort();

    void clear();

    void setChecked(std::size_t index, bool checked);

private:
    bool before(const Row* a, const Row* b, const SortState& order) const;
    void sortRows(std::vector<Row*>& rows, const SortState& order) const;
    void placeQueued();
    std::size_t orderIndexOf(const Row* row) const;

    CompareRule m_rule;
    SortKeyRule m_key;
    const SortState& m_sort;
    RowStoreObserver* m_observer = nullptr;

    // Stable addresses for the parsers' current rows. Rows of an emptied list
    // are kept and refilled, so that a long scan does not allocate and free
    // every row of every section.
    std::deque<Row> m_storage;
    std::size_t m_used = 0;
    std::vector<Row*> m_order;
    std::vector<Row*> m_queued;
    std::vector<Row*> m_assembling;
    // Rows by caption, open addressing: one probe sequence per lookup and no
    // allocation per row, as every record of a scan looks its caption up.
    struct IndexSlot {
        std::uint64_t hash;
        Row* row; // nullptr: empty
    };
    static std::uint64_t captionHash(std::string_view caption);
    void indexRow(Row* row);
    std::vector<IndexSlot> m_index;
    std::size_t m_indexed = 0;
    bool m_suspended = false;
    SortState m_orderedUnder; // the state m_order was sorted under
};

template <typename Pred>
Row* RowStore::find(std::string_view caption, Pred pred)
{
    if (m_index.empty())
        return nullptr;
    const std::uint64_t hash = captionHash(caption);
    const std::size_t mask = m_index.size() - 1;
    Row* best = nullptr;
    std::size_t bestIndex = 0;
    for (std::size_t i = hash & mask; m_index[i].row; i = (i + 1) & mask) {
        Row* row = m_index[i].row;
        if (m_index[i].hash != hash || row->caption != caption || !pred(*row))
            continue;
        if (!best) {
            best = row;
            continue;
        }
        // Several rows match; list order decides.
        if (bestIndex == 0)
            bestIndex = orderIndexOf(best) + 1;
        const std::size_t index = orderIndexOf(row) + 1;
        if (index < bestIndex) {
            best = row;
            bestIndex = index;
        }
    }
    return best;
}

} // namespace bw
