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
        EXPECT_EQ(rows.at(i).subItems[0], std::to_string(reference[i].second));
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
    five->subItems[0] = "z";
    rows.endUpdate();
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "3", "5"}));
}

TEST(RowStore, HeaderClicksUseTheSharedStateAndFindKeepsListOrder)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    for (const char* c : {"2", "10", "9", "x", "1"})
        rows.add(c, {c[0] == '1' ? "same" : "other"});
    rows.settle();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"1", "2", "9", "10", "x"}));
    sort.click(0);
    rows.sort();
    EXPECT_EQ(captions(rows), (std::vector<std::string>{"x", "10", "9", "2", "1"}));

    rows.add("10", {"same"});
    rows.settle();
    Row* first = rows.find("10", [](const Row& r) { return r.subItems[0] == "same"; });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, &rows.at(1));
    EXPECT_EQ(rows.find("10", [](const Row& r) { return r.subItems[0] == "none"; }), nullptr);
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
        SortKeyRule key;
        int columns;
    };
    const Kind kinds[] = {{contentsCompare, contentsSortKey, 8},
                          {documentCompare, documentSortKey, 7},
                          {expireCompare, expireSortKey, 4}};
    const std::vector<std::string> values = {"", "0", "9", "10", " 500 ", "-3", "N/A", "Unknown", "abc", "ABD",
                                             "abcdefghij", "ABCDEFGHIJK", "abcdefgh", "9223372036854775807",
                                             "99999999999999999999", "x y", "Z"};
    std::mt19937 rng(11);
    for (const Kind& kind : kinds) {
        for (int column = 0; column < kind.columns; ++column) {
            for (int direction : {1, -1}) {
                SortState sort;
                RowStore keyed(kind.rule, sort, kind.key);
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
                    ASSERT_EQ(keyed.at(i).subItems, plain.at(i).subItems) << column << " " << direction << " " << i;
                }
            }
        }
    }
}
