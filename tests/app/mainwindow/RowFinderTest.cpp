#include "app/mainwindow/RowFinder.h"
#include "lists/ContentsCompare.h"
#include "lists/RowStore.h"

#include <gtest/gtest.h>

using namespace bw;

namespace {

struct Rows {
    SortState sort;
    RowStore rows{contentsCompare, sort, contentsSortKey};

    explicit Rows(std::initializer_list<std::pair<std::string, std::string>> list)
    {
        for (const auto& [caption, fid] : list)
            rows.add(caption, {fid, "1", "2", "3", "4", "5", "Z", "N/A", "N/A", "Sales dept", "12/10/03"});
        rows.settle();
    }
};

} // namespace

TEST(RowFinder, MatchesAnyShownColumnWithoutRegardToCaseAndGoesRound)
{
    Rows r({{"ADOE", "a1"}, {"BOB", "b0b"}, {"CAROL", "x9"}, {"DOBBS", "d4"}});
    const int columns = 8;
    RowFinder bob(QStringLiteral("oB"));
    RowFinder::Hit hit = bob.find(r.rows, 4, columns, 0, true);
    EXPECT_EQ(hit.row, 1);
    EXPECT_EQ(hit.number, 1);
    EXPECT_EQ(hit.count, 2) << "BOB and DOBBS; b0b holds a zero";
    hit = bob.find(r.rows, 4, columns, 2, true);
    EXPECT_EQ(hit.row, 3);
    EXPECT_EQ(hit.number, 2);
    // Forward from past the last match goes round to the first, backward
    // from before the first to the last.
    RowFinder x9(QStringLiteral("X9"));
    EXPECT_EQ(x9.find(r.rows, 4, columns, 3, true).row, 2) << "a shown sub-item matches";
    hit = bob.find(r.rows, 4, columns, 0, false);
    EXPECT_EQ(hit.row, 3);
    EXPECT_EQ(hit.number, hit.count);
    // Department is sub-item 9, not a shown column.
    EXPECT_EQ(RowFinder(QStringLiteral("sales")).find(r.rows, 4, columns, 0, true).count, 0);
    EXPECT_EQ(RowFinder(QStringLiteral("sales")).find(r.rows, 4, 11, 0, true).count, 4);
    EXPECT_EQ(RowFinder(QString()).find(r.rows, 4, columns, 0, true).row, -1);
    EXPECT_EQ(RowFinder(QStringLiteral("DOBBSX")).find(r.rows, 4, columns, 0, true).count, 0);
    EXPECT_EQ(RowFinder(QStringLiteral("BOB")).find(r.rows, 0, columns, 0, true).row, -1) << "no rows shown";
}

TEST(RowFinder, TextBeyondAsciiMatchesTheTextShown)
{
    Rows r({{"M\xfcller", "l1"}, {"M\xc3\xbcLLER", "u8"}, {"MULLER", "a1"}});
    RowFinder umlaut(QString::fromUtf8("m\xc3\xbcl"));
    EXPECT_EQ(umlaut.find(r.rows, 3, 8, 0, true).count, 2) << "Latin-1 and UTF-8 bytes both read as the letter";
    EXPECT_FALSE(RowFinder(QStringLiteral("mul")).matches("M\xfcller"));
    EXPECT_TRUE(RowFinder(QStringLiteral("LER")).matches("M\xfcller")) << "ASCII text around other bytes";
}
