#include "lists/BlobCompare.h"
#include "lists/RowStore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace bw;

namespace {

Row blob(std::string caption, std::string location = "", std::string size = "0", std::string date = "")
{
    return Row{std::move(caption), {std::move(location), std::move(size), std::move(date), "Unknown", "Deleted"}};
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// Antisymmetric and transitive over every pair and triple: a sort can rely on it.
void expectTotalOrder(const std::vector<Row>& rows, int column, DateTimeOrder& dates)
{
    for (const Row& a : rows) {
        EXPECT_EQ(blobCompare(a, a, column, dates), 0);
        for (const Row& b : rows) {
            const int ab = sign(blobCompare(a, b, column, dates));
            ASSERT_EQ(ab, -sign(blobCompare(b, a, column, dates))) << a.column(column) << " / " << b.column(column);
            for (const Row& c : rows) {
                const int bc = sign(blobCompare(b, c, column, dates));
                if (ab <= 0 && bc <= 0) {
                    ASSERT_LE(blobCompare(a, c, column, dates), 0)
                        << a.column(column) << " / " << b.column(column) << " / " << c.column(column);
                }
            }
        }
    }
}

std::vector<std::string> column(const RowStore& rows, int index)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        out.emplace_back(rows.at(i).column(index));
    return out;
}

} // namespace

TEST(BlobCompare, CaptionAndLocationFoldOnlyAToZ)
{
    DateTimeOrder dates{QLocale::c()};
    EXPECT_EQ(blobCompare(blob("sub7\\abc.000"), blob("SUB7\\ABC.000"), 0, dates), 0);
    EXPECT_LT(blobCompare(blob("a\\x"), blob("B\\x"), 0, dates), 0);
    EXPECT_GT(blobCompare(blob("x", "\\\\srv\\b"), blob("x", "\\\\SRV\\A"), 1, dates), 0);
    EXPECT_NE(blobCompare(blob("\xc3\xa9"), blob("\xc3\x89"), 0, dates), 0);
}

TEST(BlobCompare, SizesAreSigned64BitNumbersAndOtherTextsComeAfter)
{
    DateTimeOrder dates{QLocale::c()};
    const auto size = [&](const char* a, const char* b) { return blobCompare(blob("x", "", a), blob("x", "", b), 2, dates); };
    EXPECT_LT(size("9", "10"), 0);
    EXPECT_GT(size("3221225472", "2147483647"), 0);
    EXPECT_LT(size("-9223372036854775808", "9223372036854775807"), 0) << "compared, not subtracted";
    EXPECT_EQ(size("0", "0"), 0);
    EXPECT_LT(size("9223372036854775807", "Unknown"), 0);
    EXPECT_LT(size("1,234", "Unknown"), 0) << "among themselves by folded text";

    std::vector<Row> rows;
    for (const char* s : {"9", "10", "0", "-1", "3221225472", "Unknown", "unknown", "1,234", "", "12 ", "x9"})
        rows.push_back(blob("x", "", s));
    expectTotalOrder(rows, 2, dates);
}

TEST(BlobCompare, DatesOrderByTheirValueInTheUsersFormat)
{
    DateTimeOrder gb{QLocale("en_GB")};
    const auto date = [&](const char* a, const char* b) { return blobCompare(blob("x", "", "0", a), blob("x", "", "0", b), 3, gb); };
    EXPECT_GT(date("02/01/2004", "31/12/2003"), 0);
    EXPECT_GT(date("02/01/2004 00:00:02", "02/01/2004"), 0);
    EXPECT_LT(date("30/12/1899", "01/01/1900"), 0) << "the zero date is the earliest";
    // A log's own date in another format, and "Unknown", come after every date.
    EXPECT_GT(date("10/14/2003 10:22:14", "31/12/2099 23:59:58"), 0);
    EXPECT_GT(date("Unknown", "31/12/2099"), 0);
    EXPECT_LT(date("10/14/2003 10:22:14", "Unknown"), 0);

    std::vector<Row> rows;
    for (const char* d : {"02/01/2004", "31/12/2003", "02/01/2004 00:00:02", "30/12/1899", "Unknown", "unknown",
                          "10/14/2003 10:22:14", "", "31/12/2003 23:59:58", "01/01/1990 10:00"})
        rows.push_back(blob("x", "", "0", d));
    expectTotalOrder(rows, 3, gb);
}

TEST(BlobCompare, HeaderClicksOnTheListWithTheSystemFormats)
{
    const DateTimeText system;
    SortState sort;
    RowStore rows(blobOrder(), sort);
    rows.add("b", {"", "10", system.text(QDateTime(QDate(2004, 1, 2), QTime(10, 0, 0))), "Unknown", "Too Recent"});
    rows.add("a", {"", "9", system.text(QDateTime(QDate(2003, 12, 31), QTime(0, 0))), "Unknown", "Already Copied"});
    rows.add("c", {"", "0", system.zeroText(), "Unknown", "0x8209"});
    rows.add("d", {"", "Unknown", "Unknown", "Unknown", "Unknown"});
    rows.settle();
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"a", "b", "c", "d"}));

    // The first click after a scan sorts descending, the next ascending.
    sort.click(2);
    rows.sort();
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"d", "b", "a", "c"}));
    sort.click(2);
    rows.sort();
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"c", "a", "b", "d"}));
    sort.click(3);
    rows.sort();
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"d", "b", "a", "c"}));
}
