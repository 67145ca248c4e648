#pragma once

#include "lists/LargeTable.h"
#include "lists/Row.h"
#include "lists/RowOrder.h"
#include "lists/SortState.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace bw {

// Told when the order or the set of rows changes, so a view can follow.
class RowStoreObserver {
public:
    virtual ~RowStoreObserver() = default;
    virtual void rowsAboutToChange() = 0;
    virtual void rowsChanged() = 0;
    virtual void rowDataChanged(std::size_t index) = 0;
};

// A tab's rows in the order shown. Rows completed while a scan runs are
// placed by the tab's order under the shared sort state; a row under
// assembly (updates suspended) takes its place only when the suspension ends.
//
// Placing is batched: completed rows wait in a short queue and are merged
// into the ordered rows by settle(), which gives exactly the order that
// placing each one by binary search would give, without moving the whole
// list for every row. The scan settles at every pause and at the end; the
// window settles after every slice of scanning.
//
// Adding, finding and touching a row cost the same however many rows share
// its caption, as logs repeat captions by the hundred thousand.
class RowStore {
public:
    // lookupColumn (-1: none) is the column that find(caption, key) matches
    // besides the caption. Its value is read when a row is added and must not
    // change while the row is in the list.
    RowStore(std::unique_ptr<RowOrder> order, const SortState& sort, int lookupColumn = -1);
    RowStore(CompareRule rule, const SortState& sort, SortKeyRule key = nullptr, int lookupColumn = -1);

    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    void setObserver(RowStoreObserver* observer) { m_observer = observer; }

    // All rows: the ordered ones first, then completed rows not yet merged,
    // then rows under assembly. After settle() with updates resumed, all rows
    // are ordered.
    std::size_t size() const { return m_placed.size() + m_queued.size() + m_assembling.size(); }
    bool empty() const { return size() == 0; }
    // The rows in their place: the first placedCount() rows of at(). A row
    // taken back for assembly stays at its old place until the next settle.
    std::size_t placedCount() const { return m_placed.size(); }
    const Row& at(std::size_t index) const;
    Row& at(std::size_t index);

    // Adds a row; while updates are suspended it waits until they resume.
    Row& add(std::string_view caption, const std::vector<std::string>& subItems);
    // A row with the sub-items of defaults, fill(row) completing the values
    // (the key among them) before the row is indexed: a parser's defaults
    // are copied as one text.
    template <typename Fill>
    Row& addLike(std::string_view caption, const Row& defaults, Fill fill)
    {
        Row& row = newRow(caption);
        row.copySubItems(defaults);
        fill(row);
        admit(row);
        return row;
    }

    // The first row (in list order) with this caption and, in the lookup
    // column, this key, or nullptr. Without a lookup column every row's key
    // is empty. A lookup that matches one row costs the same in any list;
    // several matches (a parser adds a row only when its lookup fails) are
    // ordered by walking the list.
    Row* find(std::string_view caption, std::string_view key);
    // The same with keyHash(caption, key) at hand; 0: not at hand.
    Row* find(std::string_view caption, std::string_view key, std::uint64_t hash);
    // A find() of this keyHash is coming: its place in the index starts
    // loading now.
    void prefetch(std::uint64_t hash) const;
    // What find() looks a caption and key up by; it reads nothing else, so
    // it may run on any thread.
    static std::uint64_t keyHash(std::string_view caption, std::string_view key);
    // The first row with this caption, whatever its key; a list with a lookup
    // column answers this by walking the list.
    Row* find(std::string_view caption);

    // A row whose fields change while updates are suspended is placed again
    // when they resume, after the rows equal to it, as the list re-sorts then.
    void touch(Row& row);

    void beginUpdate();
    void endUpdate();
    bool suspended() const { return m_suspended; }

    // Merges completed rows into the order; notifies the observer if any.
    void settle();

    // Re-sorts every row under the shared sort state (a header click).
    void sort();

    void clear();

    void setChecked(std::size_t index, bool checked);

    // Diagnostic: index slots visited by add and find so far (a table that
    // grows moves its slots without visiting them this way).
    std::uint64_t probes() const { return m_probes; }

private:
    // Where a row is (Row::StorePlace::state).
    enum State : std::uint8_t {
        Placed,
        // Among the placed rows, but taken back for assembly: placed again
        // (by the next settle or sort after updates resume).
        Stale,
        // Waiting to be placed, or placed since: placing a large section
        // does not write to every row (see inQueue).
        Queued,
        Assembling,
    };

    struct IndexSlot {
        std::uint64_t hash;
        Row* row; // the first row added with this caption and key; nullptr: empty
        std::size_t count;
    };

    // A completed row's sort key, taken when the row entered the queue:
    // by the time a large section is placed its rows are out of the caches.
    struct QueuedKey {
        SortKey key;
        std::uint64_t sequence;
        int column; // the column the key is for; -1: none taken
    };

    // A row to sort, with its key and what breaks ties between rows that the
    // order finds equal (place in the list, or order of completion).
    struct SortEntry {
        SortKey key;
        std::uint64_t tieBreak;
        Row* row;
    };

    bool before(const Row* a, const Row* b, const SortState& order) const;
    void sortRows(std::vector<Row*>& rows, const SortState& order) const;
    // Sorts the entries and writes their rows, in order, to rows (as many).
    void sortEntries(std::vector<SortEntry>& entries, const SortState& order, std::vector<Row*>& rows) const;
    bool placingDue() const;
    void takeStaleRows();
    void enterQueue(Row& row);
    bool inQueue(const Row& row) const;
    void orderQueue(const SortState& order);
    void placeQueued();
    Row& newRow(std::string_view caption);
    void admit(Row& row);
    void enter(std::vector<Row*>& list, Row& row, State state);

    std::string_view keyOf(const Row& row) const;
    IndexSlot& slotFor(std::uint64_t hash, std::string_view caption, std::string_view key);
    void growIndex();
    void indexRow(Row& row);
    Row* firstInListOrder(std::string_view caption, const std::string_view* key);

    std::unique_ptr<RowOrder> m_order;
    const SortState& m_sort;
    int m_lookupColumn;
    RowStoreObserver* m_observer = nullptr;

    // Stable addresses for the parsers' current rows. Rows of an emptied list
    // are kept and refilled, so that a long scan does not allocate and free
    // every row of every section. They lie in blocks that grow from a few
    // rows to some hundred kilobytes, so that a small list stays small.
    struct RowBlock {
        std::unique_ptr<Row[]> rows;
        std::size_t size;
    };
    std::vector<RowBlock> m_storage;
    std::size_t m_block = 0;   // the block the next row comes from
    std::size_t m_inBlock = 0; // and its place there
    std::vector<Row*> m_placed;
    std::vector<Row*> m_queued; // in no particular order: sequence numbers keep the order of completion
    std::vector<QueuedKey> m_queuedKeys; // beside m_queued, index for index
    std::vector<Row*> m_assembling;
    // Placed rows taken back for assembly: in this suspension, and in earlier ones.
    std::size_t m_staleAssembling = 0;
    std::size_t m_staleDue = 0;
    std::uint64_t m_sequence = 0;
    std::uint64_t m_suspendedAt = 0; // m_sequence when the suspension began

    // One slot per distinct caption and key, open addressing: one probe
    // sequence per lookup and no allocation per row, as every record of a
    // scan looks its row up.
    using Index = std::vector<IndexSlot, LargeTableAllocator<IndexSlot>>;
    Index m_index;
    std::size_t m_indexed = 0;
    std::uint64_t m_probes = 0;

    bool m_suspended = false;
    SortState m_orderedUnder; // the state m_placed was sorted under
};

} // namespace bw
