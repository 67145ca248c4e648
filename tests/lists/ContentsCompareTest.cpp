#include "lists/ContentsCompare.h"
#include "lists/RowStore.h"

#include <gtest/gtest.h>

using namespace bw;

namespace {

Row user(std::string name, std::string fid, std::string dbSize, std::string total = "N/A")
{
    return Row{std::move(name), {std::move(fid), std::move(dbSize), "N/A", "N/A", "N/A", std::move(total), "Z"}};
}

} // namespace

TEST(ContentsCompare, TextColumnsFoldAndNumberColumnsReadNumbers)
{
    EXPECT_LT(contentsCompare(user("abc", "", ""), user("ABD", "", ""), 0), 0);
    EXPECT_EQ(contentsCompare(user("Abc", "", ""), user("abc", "", ""), 0), 0);
    EXPECT_LT(contentsCompare(user("a", "10A", ""), user("a", "9ZZ", ""), 1), 0);
    EXPECT_LT(contentsCompare(user("a", "", "9"), user("a", "", "10"), 2), 0);
    // No subtraction: the extremes still order by value.
    EXPECT_LT(contentsCompare(user("a", "", "-2147483648"), user("a", "", "2147483647"), 2), 0);
    EXPECT_GT(contentsCompare(user("a", "", "2147483647"), user("a", "", "-2"), 2), 0);
    // A total kept with blanks around its number orders by the number.
    EXPECT_LT(contentsCompare(user("a", "", "", " 500 "), user("a", "", "", "600"), 6), 0);
    EXPECT_GT(contentsCompare(user("a", "", "", " 500 "), user("a", "", "", "40"), 6), 0);
}

TEST(ContentsCompare, NoNumberGoesAfterNumbersAscendingAndBeforeDescending)
{
    SortState sort;
    RowStore rows(contentsCompare, sort);
    rows.add("A", {"", "N/A"});
    rows.add("B", {"", "20"});
    rows.add("C", {"", "x"});
    rows.add("D", {"", "3"});
    rows.settle();
    sort.column = 2;
    rows.sort();
    std::string order;
    for (std::size_t i = 0; i < rows.size(); ++i)
        order += rows.at(i).caption;
    EXPECT_EQ(order, "DBAC");
    sort.direction = -1;
    rows.sort();
    order.clear();
    for (std::size_t i = 0; i < rows.size(); ++i)
        order += rows.at(i).caption;
    EXPECT_EQ(order, "CABD");
}
