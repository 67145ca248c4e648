#include "reports/BlobReport.h"
#include "reports/ReportTab.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

// The sample's sizes and times are read from the files beside it, so only
// the second section, whose files do not exist, is compared whole.
TEST(BlobReport, PrintsEachFileWithTheFullPathToBeBackdated)
{
    ReportTab tab(ScanKind::Structure, sample("structure.log"));
    ASSERT_TRUE(tab.toPause());
    tab.next();
    ASSERT_TRUE(tab.toPause());
    BlobReport report(tab.session);
    const std::vector<ReportPage> pages = report.pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].sizeMm().toSize(), expectedSheetMm(QPageSize::A4, true)) << "A4, landscape, or the printer's paper";
    const QString library = QStringLiteral("\\\\MAILSRV\\GWVOL\\PO2\\OFFILES\\FD5");
    const QStringList lines = printedLines(pages);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.mid(0, 3),
              (QStringList{QStringLiteral("GWCheck Document Error 52 Check Parser Report|NOW"),
                           QStringLiteral("Results of Parsing Log File|") + sample("structure.log"),
                           QStringLiteral("BLOB File|Library|File Size|File Date and Time|File Copied to")}));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1F\\7A11C0DE.000|") + library + QStringLiteral("|0|")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("|0x8209")));
    EXPECT_EQ(lines[4], QStringLiteral("File to be Backdated is|") + library + QStringLiteral("\\1F\\7A11C0DE.000"));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("1F\\7A11C0DF.000|") + library + QStringLiteral("|512|")));
    EXPECT_EQ(lines[6], QStringLiteral("File to be Backdated is|") + library + QStringLiteral("\\1F\\7A11C0DF.000"));
    EXPECT_EQ(lines[7], QStringLiteral("Total - 2 BLOB Files"));
    const ReportPage& page = pages[0];
    EXPECT_EQ(overlaps(page), QStringList());
    EXPECT_NEAR(textOn(page, QStringLiteral("512"))->rectMm.right(), 1 + 147.4, 1e-9);
    // The outcome at its designed place or further right, clear of the
    // widest date, and under its heading.
    const PageText* outcome = textOn(page, QStringLiteral("Deleted"));
    EXPECT_GE(outcome->rectMm.left(), 1 + 185.2 - 1e-9);
    EXPECT_NEAR(outcome->rectMm.left(), textOn(page, QStringLiteral("File Copied to"))->rectMm.left(), 1e-9);
    for (const auto& line : page.lines()) {
        for (std::size_t i = 1; i < line.size(); ++i)
            EXPECT_GE(line[i]->rectMm.left() - line[i - 1]->rectMm.right(), 1.5) << line[i]->text.toStdString();
    }
    // A second run starts from the first row again.
    EXPECT_EQ(printedLines(report.pages()).last(), QStringLiteral("Total - 2 BLOB Files"));
}

TEST(BlobReport, FollowsTheSizeOrderAndPrintsAnEmptyList)
{
    ReportTab tab(ScanKind::Structure, sample("structure.log"));
    ASSERT_TRUE(tab.toPause());
    // Every click turns the direction: the first on File Size sorts down.
    ASSERT_TRUE(tab.session.sortByColumn(2));
    BlobReport report(tab.session);
    QStringList sizes;
    for (const QString& line : printedLines(report.pages()).mid(3)) {
        if (line.count(u'|') >= 4)
            sizes << line.section(u'|', 2, 2);
    }
    // The sizes come from the disk where the files are found, so only their
    // order is known.
    ASSERT_EQ(sizes.size(), 6);
    for (qsizetype i = 1; i < sizes.size(); ++i)
        EXPECT_GE(sizes[i - 1].toLongLong(), sizes[i].toLongLong()) << sizes.join(u' ').toStdString();
    EXPECT_NE(sizes.first(), sizes.last());

    ReportTab empty(ScanKind::Structure, crlf({"STRUCTURE CHECK", "nothing"}));
    EXPECT_FALSE(empty.toPause());
    BlobReport none(empty.session);
    EXPECT_EQ(printedLines(none.pages()).last(), QStringLiteral("Total - 0 BLOB Files"));
}

} // namespace
} // namespace bw::test
