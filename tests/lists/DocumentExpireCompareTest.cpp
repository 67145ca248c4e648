#include "lists/DocumentCompare.h"
#include "lists/ExpireCompare.h"
#include "lists/RowStore.h"

#include <gtest/gtest.h>

using namespace bw;

namespace {

Row document(std::string number, std::string version = "N/A", std::string author = "Unknown",
             std::string library = "Unknown")
{
    return Row{std::move(number), {std::move(version), std::move(author), std::move(library), "Unknown", "Unknown", "Unknown"}};
}

Row user(std::string name, std::string size, std::string userDb = "User.db", std::string msgDb = "Msg.db")
{
    return Row{std::move(name), {std::move(userDb), std::move(msgDb), std::move(size)}};
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// Antisymmetric and transitive over every pair and triple: a sort can rely on it.
void expectTotalOrder(CompareRule rule, const std::vector<Row>& rows, int column)
{
    for (const Row& a : rows) {
        EXPECT_EQ(rule(a, a, column), 0) << a.column(column);
        for (const Row& b : rows) {
            EXPECT_EQ(sign(rule(a, b, column)), -sign(rule(b, a, column))) << a.column(column) << " / " << b.column(column);
            for (const Row& c : rows) {
                if (rule(a, b, column) <= 0 && rule(b, c, column) <= 0) {
                    EXPECT_LE(rule(a, c, column), 0) << a.column(column) << " " << b.column(column) << " " << c.column(column);
                }
            }
        }
    }
}

std::string order(RowStore& rows, int column)
{
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += i ? "," : "";
        out += rows.at(i).column(column);
    }
    return out;
}

} // namespace

TEST(DocumentCompare, CaptionsAsNumbersOtherColumnsAsFoldedText)
{
    EXPECT_LT(documentCompare(document("9"), document("10"), 0), 0);
    EXPECT_LT(documentCompare(document("-5"), document("0"), 0), 0);
    EXPECT_EQ(documentCompare(document("007"), document("7"), 0), 0);
    // Compared, not subtracted: the extremes of 64 bits still order.
    EXPECT_LT(documentCompare(document("-9223372036854775808"), document("9223372036854775807"), 0), 0);
    EXPECT_GT(documentCompare(document("9223372036854775807"), document("-1"), 0), 0);
    // No number (letters, beyond 64 bits): after every number, by folded text among themselves.
    EXPECT_GT(documentCompare(document("7A"), document("9223372036854775807"), 0), 0);
    EXPECT_GT(documentCompare(document("9223372036854775808"), document("1"), 0), 0);
    EXPECT_EQ(documentCompare(document("7a"), document("7A"), 0), 0);
    EXPECT_LT(documentCompare(document("7A"), document("X1"), 0), 0);

    // Version orders as text; letter case never counts.
    EXPECT_LT(documentCompare(document("1", "10"), document("1", "9"), 1), 0);
    EXPECT_EQ(documentCompare(document("1", "1", "jsmith"), document("2", "1", "JSMITH"), 2), 0);
    EXPECT_LT(documentCompare(document("1", "N/A"), document("1", "Unknown"), 1), 0);

    expectTotalOrder(documentCompare,
                     {document("10"), document("9"), document("0"), document("-3"), document("7A"), document("7a"),
                      document(""), document("x"), document("99999999999999999999"), document(" 12 ")},
                     0);
}

TEST(DocumentCompare, HeaderClicksFlipTheSharedDirection)
{
    SortState sort;
    RowStore rows(documentCompare, sort);
    rows.add("10", {"1", "anna", "LIB2"});
    rows.add("9", {"1", "Zed", "lib1"});
    rows.add("7A", {"1", "bob", "LIB3"});
    rows.add("0", {"N/A", "no ref", "Unknown"});
    rows.settle();
    EXPECT_EQ(order(rows, 0), "0,9,10,7A");
    // The first click after a scan sorts descending, the second ascending.
    sort.click(0);
    rows.sort();
    EXPECT_EQ(order(rows, 0), "7A,10,9,0");
    sort.click(0);
    rows.sort();
    EXPECT_EQ(order(rows, 0), "0,9,10,7A");
    // Author descending, then Library ascending.
    sort.click(2);
    rows.sort();
    EXPECT_EQ(order(rows, 2), "Zed,no ref,bob,anna");
    sort.click(3);
    rows.sort();
    EXPECT_EQ(order(rows, 3), "lib1,LIB2,LIB3,Unknown");
}

TEST(ExpireCompare, TextColumnsFoldAndTheSizeReadsAsANumber)
{
    EXPECT_EQ(expireCompare(user("jsmith", "1"), user("JSMITH", "2"), 0), 0);
    EXPECT_LT(expireCompare(user("a", "1", "Userab.db"), user("a", "1", "USERAC.db"), 1), 0);
    EXPECT_GT(expireCompare(user("a", "1", "", "Msg9.db"), user("a", "1", "", "Msg10.db"), 2), 0);
    EXPECT_LT(expireCompare(user("a", "900"), user("a", "1000"), 3), 0);
    EXPECT_LT(expireCompare(user("a", "-2147483648"), user("a", "2147483647"), 3), 0);
    // Sizes beyond 32 bits are still numbers.
    EXPECT_GT(expireCompare(user("a", "12884901888"), user("a", "2147483647"), 3), 0);
    // Empty, words and values beyond 64 bits: after every number.
    EXPECT_GT(expireCompare(user("a", ""), user("a", "9223372036854775807"), 3), 0);
    EXPECT_GT(expireCompare(user("a", "BYTES"), user("a", "-1"), 3), 0);
    EXPECT_GT(expireCompare(user("a", "99999999999999999999"), user("a", "5"), 3), 0);
    EXPECT_LT(expireCompare(user("a", ""), user("a", "abc"), 3), 0);

    expectTotalOrder(expireCompare,
                     {user("a", "900"), user("b", "1000"), user("c", ""), user("d", "abc"), user("e", "ABC"),
                      user("f", "2147483648"), user("g", "-7"), user("h", "99999999999999999999"), user("i", "66\t7")},
                     3);
}

TEST(ExpireCompare, SizeClicksOrderNumerically)
{
    SortState sort;
    RowStore rows(expireCompare, sort);
    rows.add("A", {"UserA.db", "Msg1.db", "1000"});
    rows.add("B", {"UserB.db", "Msg3.db", "900"});
    rows.add("C", {"UserC.db", "Msg2.db", ""});
    rows.add("D", {"UserD.db", "Msg0.db", "12884901888"});
    rows.settle();
    sort.click(3);
    rows.sort();
    // Descending: what is no number goes first.
    EXPECT_EQ(order(rows, 0), "C,D,A,B");
    sort.click(3);
    rows.sort();
    EXPECT_EQ(order(rows, 0), "B,A,D,C");
    // User database then message database: the second click is ascending.
    sort.click(1);
    sort.click(2);
    rows.sort();
    EXPECT_EQ(order(rows, 2), "Msg0.db,Msg1.db,Msg2.db,Msg3.db");
}
