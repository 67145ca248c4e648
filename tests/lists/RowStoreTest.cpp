#include "base/Text.h"
#include "lists/ContentsCompare.h"
#include "lists/DocumentCompare.h"
#include "lists/ExpireCompare.h"
#include "lists/RowStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace bw;

namespace {

int byCaption(const Row& a, const Row& b, int column)
{
    return compareAsNumbers(a.column(column), b.column(column));
}

std::vector<std::string> captions(const RowStore& rows)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        out.push_back(rows.at(i).caption);
    return out;
}

struct CountingObserver : RowStoreObserver {
    int about = 0, changed = 0, data = 0;
    void rowsAboutToChange() override { ++about; }
    void rowsChanged() override { ++changed; }
    void rowDataChanged(std::size_t) override { ++data; }
};

} // namespace

TEST(RowStore, SettledOrderEqualsPlacingEachRowByBinarySearch)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    std::mt19937 rng(3);
    std::vector<std::pair<int, int>> reference; // (key, arrival)
    for (int i = 0; i < 500; ++i) {
        const int key = static_cast<int>(rng() % 40);
        rows.add(std::to_string(key), {std::to_string(i)});
        // Binary insertion after equal keys, as a list placing each row would.
        auto at = std::upper_bound(reference.begin(), reference.end(), key,
                                   [](int k, const std::pair<int, int>& e) { return k < e.first; });
        reference.insert(at, {key, i});
        if (rng() % 7 == 0)
            rows.settle();
    }
    rows.settle();
    ASSERT_EQ(rows.size(), reference.size());
    for (std::size_t i = 0; i < reference.size(); ++i) {
        EXPECT_EQ(rows.at(i).caption, std::to_string(reference[i].first));
        EXPECT_EQ(rows.at(i).subItem(0), std::to_string(reference[i].second));
    }
}

TEST(RowStore, SuspendedRowTakesItsPlaceWhenUpdatesResume)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    rows.add("5", {"a"});
    rows.add("1", {"b"});
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "5"}));

    rows.beginUpdate();
    Row& fresh = rows.add("3", {"c"});
    rows.beginUpdate(); // does not nest
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "5", "3"})) << "unplaced while assembling";
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.find("3"), &fresh);
    rows.endUpdate();
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "3", "5"}));

    // A placed row changed under a suspension moves when it ends.
    sort.column = 1;
    rows.sort();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"5", "1", "3"}));
    Row* five = rows.find("5");
    rows.beginUpdate();
    rows.touch(*five);
    five->setSubItem(0, "z");
    rows.endUpdate();
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "3", "5"}));
}

TEST(RowStore, ATouchedPlacedRowStaysShownUntilSettledThenGoesAfterItsEquals)
{
    SortState sort;
    sort.column = 1;
    RowStore rows(byCaption, sort);
    CountingObserver seen;
    rows.setObserver(&seen);
    Row& a = rows.add("a", {"1"});
    Row& b = rows.add("b", {"2"});
    rows.add("c", {"2"});
    rows.add("d", {"3"});
    rows.settle();
    rows.add("e", {"0"});

    rows.beginUpdate();
    rows.touch(a);
    a.setSubItem(0, "2");
    EXPECT_EQ(seen.about, 1) << "no notification per touch";
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.placedCount(), 4u);
    EXPECT_EQ(&rows.at(0), &a) << "shown at its old place";
    // Settling while it is still under assembly places e and takes a out.
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"e", "b", "c", "d", "a"}));
    EXPECT_EQ(rows.placedCount(), 4u);
    rows.endUpdate();
    EXPECT_EQ(rows.size(), 5u);
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"e", "b", "c", "a", "d"}));

    // Resumed before any settle: it still shows at its old place until then.
    rows.beginUpdate();
    rows.touch(b);
    rows.touch(b);
    b.setSubItem(0, "3");
    rows.endUpdate();
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.placedCount(), 5u);
    EXPECT_EQ(&rows.at(1), &b);
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"e", "c", "a", "d", "b"}));
    EXPECT_EQ(seen.about, seen.changed);
    EXPECT_EQ(seen.about, 4);
}

// The rows come out as they did when a touched row left the list at once and
// every completed row was placed by binary search after its equals.
TEST(RowStore, RandomEditsSettleAsIfTouchedRowsLeftTheListAtOnce)
{
    struct Reference {
        std::vector<int> placed, queued, assembling;
        bool suspended = false;
    };
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        SortState sort;
        sort.column = 1;
        RowStore rows(byCaption, sort);
        Reference ref;
        std::vector<int> value;
        const auto take = [](std::vector<int>& list, int id) {
            const auto it = std::find(list.begin(), list.end(), id);
            if (it == list.end())
                return false;
            list.erase(it);
            return true;
        };
        for (int step = 0; step < 400; ++step) {
            const unsigned op = rng() % 100;
            if (op < 30) {
                const int id = static_cast<int>(value.size());
                value.push_back(static_cast<int>(rng() % 8));
                rows.add(std::to_string(id), {std::to_string(value.back())});
                (ref.suspended ? ref.assembling : ref.queued).push_back(id);
            } else if (op < 60 && !value.empty()) {
                const int id = static_cast<int>(rng() % value.size());
                Row* row = rows.find(std::to_string(id));
                ASSERT_NE(row, nullptr);
                rows.touch(*row);
                if (!ref.suspended)
                    continue;
                if (std::find(ref.assembling.begin(), ref.assembling.end(), id) == ref.assembling.end()) {
                    ASSERT_TRUE(take(ref.placed, id) || take(ref.queued, id));
                    ref.assembling.push_back(id);
                }
                value[static_cast<std::size_t>(id)] = static_cast<int>(rng() % 8);
                row->setSubItem(0, std::to_string(value[static_cast<std::size_t>(id)]));
            } else if (op < 72) {
                rows.beginUpdate();
                ref.suspended = true;
            } else if (op < 84) {
                rows.endUpdate();
                if (ref.suspended)
                    ref.queued.insert(ref.queued.end(), ref.assembling.begin(), ref.assembling.end());
                ref.assembling.clear();
                ref.suspended = false;
            } else {
                if (op < 90)
                    rows.sort();
                else
                    rows.settle();
                for (const int id : ref.queued) {
                    const auto at = std::upper_bound(ref.placed.begin(), ref.placed.end(), id, [&](int x, int y) {
                        return value[static_cast<std::size_t>(x)] < value[static_cast<std::size_t>(y)];
                    });
                    ref.placed.insert(at, id);
                }
                ref.queued.clear();
                if (!ref.suspended) {
                    ASSERT_EQ(rows.size(), ref.placed.size());
                    for (std::size_t i = 0; i < ref.placed.size(); ++i)
                        ASSERT_EQ(rows.at(i).caption, std::to_string(ref.placed[i])) << seed << " " << step << " " << i;
                }
            }
            ASSERT_EQ(rows.size(), value.size());
        }
    }
}

TEST(RowStore, HeaderClicksUseTheSharedStateAndFindKeepsListOrder)
{
    SortState sort;
    RowStore rows(byCaption, sort, nullptr, 1);
    for (const char* c : {"2", "10", "9", "x", "1"})
        rows.add(c, {c[0] == '1' ? "same" : "other"});
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "2", "9", "10", "x"}));
    sort.click(0);
    rows.sort();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"x", "10", "9", "2", "1"}));

    rows.add("10", {"same"});
    rows.settle();
    Row* first = rows.find("10", "same");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, &rows.at(1));
    EXPECT_EQ(rows.find("10", "none"), nullptr);
    EXPECT_EQ(rows.find("11"), nullptr);

    // Another list's click flips the shared direction; settling follows it.
    sort.click(0);
    rows.add("3", {""});
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "2", "3", "9", "10", "10", "x"}));
}

TEST(RowStore, AHeaderClickPlacesCompletedRowsUnderTheOldOrderFirst)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    rows.add("1", {"B"});
    rows.add("3", {"B"});
    rows.settle();
    rows.add("2", {"B"}); // completed, not yet merged
    sort.click(1);        // every row is equal under column 1
    rows.sort();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "2", "3"}));

    // Into an emptied list, rows are placed under the order in force now.
    rows.clear();
    sort.click(0); // column 0 ascending again
    rows.add("5", {"x"});
    rows.add("4", {"y"});
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"4", "5"}));
}

TEST(RowStore, ClearAndCheckStateNotifyTheView)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    CountingObserver seen;
    rows.setObserver(&seen);
    rows.add("1", {});
    rows.settle();
    rows.setChecked(0, true);
    EXPECT_TRUE(rows.at(0).checked);
    EXPECT_EQ(seen.data, 1);
    rows.beginUpdate();
    rows.clear();
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(rows.suspended());
    EXPECT_EQ(rows.find("1"), nullptr);
    EXPECT_EQ(seen.about, seen.changed);
    EXPECT_EQ(seen.changed, 2);
}

// Sorting with keys must give exactly the order the compare rule gives.
TEST(RowStore, SortKeysAgreeWithTheirCompareRules)
{
    struct Kind {
        CompareRule rule;
        std::unique_ptr<RowOrder> (*order)();
        int columns;
    };
    const Kind kinds[] = {{contentsCompare, contentsOrder, 8},
                          {documentCompare, documentOrder, 7},
                          {expireCompare, expireOrder, 4}};
    const std::vector<std::string> values = {"", "0", "9", "10", " 500 ", "-3", "N/A", "Unknown", "abc", "ABD",
                                             "abcdefghij", "ABCDEFGHIJK", "abcdefgh", "9223372036854775807",
                                             "99999999999999999999", "x y", "Z", "z", "[", "`", "{", "@", "a", "A",
                                             "\xe9", "\xc9", "\xd0", "abcdefghijklmN", "ABCDEFGHIJKLMNo"};
    std::mt19937 rng(11);
    for (const Kind& kind : kinds) {
        ASSERT_TRUE(kind.order()->hasSortKeys());
        for (int column = 0; column < kind.columns; ++column) {
            for (int direction : {1, -1}) {
                SortState sort;
                RowStore keyed(kind.order(), sort);
                RowStore plain(kind.rule, sort);
                for (int i = 0; i < 300; ++i) {
                    std::vector<std::string> items;
                    for (int k = 0; k < 10; ++k)
                        items.push_back(values[rng() % values.size()]);
                    std::string caption = values[rng() % values.size()];
                    keyed.add(caption, items);
                    plain.add(caption, items);
                }
                sort.column = column;
                sort.direction = direction;
                keyed.sort();
                plain.sort();
                for (std::size_t i = 0; i < plain.size(); ++i) {
                    ASSERT_EQ(keyed.at(i).caption, plain.at(i).caption) << column << " " << direction << " " << i;
                    ASSERT_EQ(keyed.at(i).subItems(), plain.at(i).subItems()) << column << " " << direction << " " << i;
                }
            }
        }
    }
}

// The diagnostic probe count stands in for time: per operation it must not
// grow with the rows that share a caption.
// A large queue is sorted in two halves at once; rows of equal names
// (folded) must still come out in the order they were completed, in both
// directions.
TEST(RowStore, ALargeQueueComesOutAsOneStableSortWouldPlaceIt)
{
    for (const int direction : {+1, -1}) {
        SortState sort;
        sort.direction = direction;
        RowStore rows(contentsOrder(), sort, 1);
        std::mt19937 rng(11);
        std::vector<std::string> names;
        const int n = 150000;
        for (int i = 0; i < n; ++i) {
            std::string name = std::to_string(rng() % 3000);
            name.insert(0, rng() % 2 ? "user" : "USER");
            rows.add(name, {std::to_string(i)});
            names.push_back(name);
        }
        // Users checked again complete anew, after all others; taking them
        // out of the queue mixes its order up.
        std::vector<bool> again(n);
        for (int k = 0; k < 2000; ++k)
            again[rng() % n] = true;
        std::vector<int> reference;
        std::vector<int> touched;
        for (int i = n - 1; i >= 0; --i) {
            if (!again[static_cast<std::size_t>(i)])
                continue;
            rows.beginUpdate();
            rows.touch(*rows.find(names[static_cast<std::size_t>(i)], std::to_string(i)));
            rows.endUpdate();
            touched.push_back(i);
        }
        for (int i = 0; i < n; ++i) {
            if (!again[static_cast<std::size_t>(i)])
                reference.push_back(i);
        }
        reference.insert(reference.end(), touched.begin(), touched.end());
        std::stable_sort(reference.begin(), reference.end(), [&](int a, int b) {
            return foldCompare(names[static_cast<std::size_t>(a)], names[static_cast<std::size_t>(b)]) * direction < 0;
        });
        rows.settle();
        ASSERT_EQ(rows.placedCount(), static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < reference.size(); ++i)
            ASSERT_EQ(rows.at(i).subItem(0), std::to_string(reference[i])) << "direction " << direction << ", row " << i;
    }
}

TEST(RowStore, AddFindAndTouchCostTheSameHoweverOftenACaptionRepeats)
{
    struct CountingOrder : RowOrder {
        mutable std::uint64_t compares = 0;
        int compare(const Row& a, const Row& b, int column) const override
        {
            ++compares;
            return byCaption(a, b, column);
        }
    };
    for (const int n : {10000, 100000}) {
        SortState sort;
        // Users of one name with different file IDs, as a Contents list holds them.
        auto counting = std::make_unique<CountingOrder>();
        const CountingOrder& order = *counting;
        RowStore users(std::move(counting), sort, 1);
        CountingObserver seen;
        users.setObserver(&seen);
        const int queued = 100;
        for (int i = 0; i < n + queued; ++i) {
            users.add("SAME", {std::to_string(i), "0"});
            if (i == n - 1)
                users.settle();
        }
        EXPECT_LT(static_cast<double>(users.probes()) / (n + queued), 3.0) << n << " rows: adding";

        // Found and touched again, as users checked twice within a section:
        // placed ones and queued ones alike.
        const int touched = 1000;
        const std::uint64_t probesBefore = users.probes();
        const std::uint64_t comparesBefore = order.compares;
        const int notified = seen.about;
        std::vector<const Row*> touchedRows;
        for (int k = 0; k < touched; ++k) {
            // The last ones are still queued.
            const std::string key = std::to_string(n + queued - 1 - k * (n / touched));
            users.beginUpdate();
            Row* row = users.find("SAME", key);
            ASSERT_NE(row, nullptr);
            ASSERT_EQ(row->subItem(0), key);
            users.touch(*row);
            row->setSubItem(1, "1");
            users.endUpdate();
            touchedRows.push_back(row);
        }
        EXPECT_EQ(users.find("SAME", "none"), nullptr);
        EXPECT_LT(static_cast<double>(users.probes() - probesBefore) / (touched + 1), 3.0) << n << " rows: finding";
        EXPECT_EQ(order.compares, comparesBefore) << "touching compares nothing";
        EXPECT_EQ(seen.about, notified) << "touching notifies nothing";
        const auto total = static_cast<std::size_t>(n + queued);
        EXPECT_EQ(users.size(), total);

        // Placing them again is a merge, not a sort of the whole list; all
        // rows being equal, the touched ones go last, in the order touched.
        users.settle();
        EXPECT_LT(order.compares - comparesBefore, 2u * static_cast<std::uint64_t>(n));
        ASSERT_EQ(users.placedCount(), total);
        for (int k = 0; k < touched; ++k)
            ASSERT_EQ(&users.at(total - touched + static_cast<std::size_t>(k)),
                      touchedRows[static_cast<std::size_t>(k)]);
        EXPECT_EQ(users.at(0).subItem(0), "0");
        EXPECT_EQ(users.at(total - touched - 1).subItem(0), std::to_string(n + queued - 2));

        // Document rows of one caption and no key, never looked up.
        RowStore documents(byCaption, sort);
        for (int i = 0; i < n; ++i)
            documents.add("0", {"N/A"});
        EXPECT_LT(static_cast<double>(documents.probes()) / n, 2.0) << n << " rows: adding";
    }
}

TEST(Row, SubItemsKeepTheirValuesThroughChangesOfAnyLength)
{
    Row row("cap", {"a", "", "ccc"});
    EXPECT_EQ(row.subItemsJoined(), "a\t\tccc");
    row.setSubItem(1, "grown to a long value");
    row.setSubItem(0, "");
    row.setSubItem(2, "c");
    EXPECT_EQ(row.subItems(), (std::vector<std::string>{"", "grown to a long value", "c"}));
    // A value taken from the row itself, and one past the last sub-item.
    row.setSubItem(0, row.subItem(1).substr(9));
    row.setSubItem(3, "ignored");
    EXPECT_EQ(row.subItems(), (std::vector<std::string>{"a long value", "grown to a long value", "c"}));
    EXPECT_EQ(row.column(0), "cap");
    EXPECT_EQ(row.column(3), "c");
    EXPECT_EQ(row.column(4), "");
    EXPECT_EQ(row.subItemsJoined(), "a long value\tgrown to a long value\tc");

    // Neighbours set in one go, growing and shrinking, from the row itself,
    // and running past the last sub-item.
    row.setSubItemsFrom(0, {"A", "", "longer than before"});
    EXPECT_EQ(row.subItemsJoined(), "A\t\tlonger than before");
    row.setSubItemsFrom(1, {row.subItem(2).substr(0, 6), "x", "ignored"});
    row.setSubItemsFrom(3, {"ignored"});
    row.setSubItemsFrom(0, {});
    EXPECT_EQ(row.subItems(), (std::vector<std::string>{"A", "longer", "x"}));
    EXPECT_EQ(row.column(3), "x");

    Row copy;
    copy.copySubItems(row);
    EXPECT_EQ(copy.subItems(), row.subItems());
    EXPECT_EQ(copy.caption, "");
    EXPECT_EQ(Row("x", {}).subItemsJoined(), "");

    // Past the room a row holds in itself and back, and copies and moves of
    // both kinds of row.
    const std::string longValue(300, 'L');
    Row big("big", {"a", "b", "c"});
    big.setSubItem(1, longValue);
    big.setSubItemsFrom(0, {big.subItem(1).substr(0, 100), "", big.subItem(1)});
    EXPECT_EQ(big.subItems(), (std::vector<std::string>{std::string(100, 'L'), "", longValue}));
    Row small("small", {"s", "t"});
    Row bigCopy(big);
    Row smallCopy(small);
    Row bigMoved(std::move(bigCopy));
    Row smallMoved(std::move(smallCopy));
    EXPECT_EQ(bigMoved.subItems(), big.subItems());
    EXPECT_EQ(smallMoved.subItems(), small.subItems());
    smallMoved = bigMoved;
    bigMoved = std::move(small);
    EXPECT_EQ(smallMoved.subItems(), big.subItems());
    EXPECT_EQ(bigMoved.subItems(), (std::vector<std::string>{"s", "t"}));
    big.setSubItemsFrom(0, {"x", "y", "z"});
    EXPECT_EQ(big.subItemsJoined(), "x\ty\tz");
    EXPECT_EQ(Row("x", std::vector<std::string>(Row::maxSubItems + 3, "v")).subItemCount(), Row::maxSubItems);
}
