#include "lists/RowLayout.h"
#include "report_engine/PageSink.h"
#include "reports/ContentsReport.h"
#include "reports/ReportTab.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const QString header = QStringLiteral("GWCheck Contents Check Parser Report|NOW");
const QString columns = QStringLiteral("User Name|User FID|User DB Size|InBox|OutBox|WasteBasket|Total size|Run Date");

TEST(ContentsReport, PrintsEveryBandOfTheSampleSectionWithTotalsOfTrimmedSizes)
{
    ReportTab tab(ScanKind::Contents, sample("contents.log"));
    ASSERT_TRUE(tab.toPause());
    ContentsReport report(tab.session);
    const std::vector<ReportPage> pages = report.pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].sizeMm().toSize(), expectedSheetMm(QPageSize::A4, false)) << "A4, portrait, or the printer's paper";
    // MBROWN's and PWEBER's totals keep the blank before the number; they
    // print as they are and count in the total all the same.
    EXPECT_EQ(printedLines(pages),
              (QStringList{
                  header,
                  QStringLiteral("Results of Parsing Log File|") + sample("contents.log"),
                  columns,
                  QStringLiteral("alexandra.kowa|c7m|1490|233|151|40|19022|10/12/26 09:14"),
                  QStringLiteral("JSMITH|a4k|2230|412|96|0|37902|10/12/26 09:14"),
                  QStringLiteral("KMUELLER|e3t|988|508|133|9|31876|10/12/26 09:14"),
                  QStringLiteral("Disk Space Management Values:|User Space Limit:|102400|Threshold:|85%"),
                  QStringLiteral("LNGUYEN|f9b|641|88|25|3|6150|10/12/26 09:14"),
                  QStringLiteral("MBROWN|b1q|5120|1320|410|77| 23871|10/12/26 09:14"),
                  QStringLiteral("Disk Space Management Values:|User Space Limit:|20480|Threshold:|90%|OverSize"),
                  QStringLiteral("PWEBER|d0x|3377|903|288|164| 44210|10/12/26 09:14"),
                  QStringLiteral("Disk Space Management Values:|User Space Limit:|51200|Threshold:|80%|OverThreshold"),
                  QStringLiteral("RES_CONF_ROOM_|g2r|312|0|0|2|1944|10/12/26 09:14"),
                  QStringLiteral("Totals for 7 Users|14158|3464|1103|295|164975"),
              }));
    EXPECT_EQ(report.title(), QStringLiteral("GWCheck Contents Check Parser Report"));

    // Names over a limit in bold italic, the others in the detail's style;
    // the sizes right-aligned on their column's edge, inside the margins.
    const ReportPage& page = pages[0];
    EXPECT_EQ(overlaps(page), QStringList());
    const PageText* mbrown = textOn(page, QStringLiteral("MBROWN"));
    const PageText* kmueller = textOn(page, QStringLiteral("KMUELLER"));
    ASSERT_TRUE(mbrown && kmueller);
    EXPECT_TRUE(mbrown->bold && mbrown->italic);
    EXPECT_FALSE(kmueller->bold || kmueller->italic);
    EXPECT_NEAR(mbrown->rectMm.left(), 10 + 2.6, 1e-9);
    EXPECT_NEAR(textOn(page, QStringLiteral("37902"))->rectMm.right(), 10 + 164.6, 1e-9);
    EXPECT_NEAR(textOn(page, QStringLiteral("164975"))->rectMm.right(), 10 + 164.0, 1e-9);
    EXPECT_TRUE(textOn(page, QStringLiteral("Totals for 7 Users"))->bold);
    const PageText* limit = textOn(page, QStringLiteral("20480"));
    EXPECT_NEAR(limit->rectMm.top() - mbrown->rectMm.top(), 5.3, 1e-9);
    EXPECT_NEAR(textOn(page, QStringLiteral("PWEBER"))->rectMm.top() - mbrown->rectMm.top(), 10.6, 1e-9);
}

TEST(ContentsReport, EdgeCasesOfTheSecondLineAndTheTotals)
{
    // S without a limit: one line, normal name; its total with blanks around
    // the number counts. U with a limit: a second line
    // without a flag text. "N/A" adds nothing; sizes beyond 32 bits add up.
    ReportTab tab(ScanKind::Contents, crlf({
                                          "CONTENTS VERIFICATION",
                                          "Checking user = ANNA (aaa) - 1 KB",
                                          "   User stats: 100 InBox, 1 OutBox, 2 WasteBasket",
                                          "   Size Limit Exceeded for ANNA  Current size: 500 KB limit 400",
                                          "Checking user = BEN (bbb) - 1 KB",
                                          "   Disk space management: Size Limit - 2048KB Threshold - 90%",
                                          "   3000000000 bytes in use by user",
                                          "Checking user = CY (ccc) - 1 KB",
                                          "   3000000000 bytes in use by user",
                                          "PROCESSING COMPLETE",
                                      }));
    ASSERT_TRUE(tab.toPause());
    ASSERT_EQ(tab.session.rows().at(0).column(1 + ContentsRow::LimitFlag), "S");
    ASSERT_EQ(tab.session.rows().at(1).column(1 + ContentsRow::LimitFlag), "U");
    ContentsReport report(tab.session);
    const std::vector<ReportPage> pages = report.pages();
    const QStringList lines = printedLines(pages);
    ASSERT_EQ(lines.size(), 8);
    // ANNA's total keeps blanks on both sides: " 500 "; a header without a
    // date leaves "KB" in the run date.
    EXPECT_EQ(lines[3], QStringLiteral("ANNA|aaa|1|100|1|2| 500 |KB"));
    EXPECT_EQ(lines[4], QStringLiteral("BEN|bbb|1|N/A|N/A|N/A|3000000000|KB"));
    EXPECT_EQ(lines[5], QStringLiteral("Disk Space Management Values:|User Space Limit:|2048|Threshold:|90%"));
    EXPECT_EQ(lines[6], QStringLiteral("CY|ccc|1|N/A|N/A|N/A|3000000000|KB"));
    EXPECT_EQ(lines[7], QStringLiteral("Totals for 3 Users|3|100|1|2|6000000500"));
    const PageText* anna = textOn(pages[0], QStringLiteral("ANNA"));
    EXPECT_FALSE(anna->bold || anna->italic);
    EXPECT_EQ(report.totals()[4], 6000000500LL);
}

TEST(ContentsReport, AnEmptyListPrintsTheBandsAndZeroTotals)
{
    ReportTab tab(ScanKind::Contents, crlf({"CONTENTS VERIFICATION", "PROCESSING COMPLETE"}));
    EXPECT_FALSE(tab.toPause());
    ContentsReport report(tab.session);
    EXPECT_EQ(printedLines(report.pages()),
              (QStringList{header, QStringLiteral("Results of Parsing Log File|") + tab.session.logPath(), columns,
                           QStringLiteral("Totals for 0 Users|0|0|0|0|0")}));
}

TEST(ContentsReport, FollowsTheListOrderAfterAHeaderClick)
{
    ReportTab tab(ScanKind::Contents, sample("contents.log"));
    ASSERT_TRUE(tab.toPause());
    // Total Size, clicked twice: descending.
    ASSERT_TRUE(tab.session.sortByColumn(6));
    if (tab.sort.direction > 0) {
        ASSERT_TRUE(tab.session.sortByColumn(6));
    }
    ContentsReport report(tab.session);
    const QStringList lines = printedLines(report.pages());
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("PWEBER|")));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Totals for 7 Users|14158|")));
}

TEST(ContentsReport, PrintsOnlyThePausedSectionAndEachRunAddsADescriptionLine)
{
    ReportTab tab(ScanKind::Contents, sample("contents.log"));
    ASSERT_TRUE(tab.toPause());
    ContentsReport report(tab.session);
    report.pages();
    tab.next();
    ASSERT_TRUE(tab.toPause());
    const QStringList lines = printedLines(report.pages());
    EXPECT_EQ(lines.last(), QStringLiteral("Totals for 3 Users|5872|1794|1020|420|157927"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("GROSSI|")));
    const QString line = QStringLiteral("Results of Parsing Log File ") + sample("contents.log");
    EXPECT_EQ(report.description(), (QStringList{line, line}));
}

TEST(ContentsReport, ASizeThatIsNoIntegerIsLeftOutOfItsTotal)
{
    std::int64_t total = 5;
    for (const char* text : {"N/A", "", "abc", " 12x", "KB", "9223372036854775807"})
        ScanReport::addSize(total, text);
    EXPECT_EQ(total, 5) << "the last would carry the total beyond 64 bits";
    for (const char* text : {" 10", "20 ", "\t30\t", "-5"})
        ScanReport::addSize(total, text);
    EXPECT_EQ(total, 60);
}

} // namespace
} // namespace bw::test

namespace bw::test {
namespace {

// Collects a run's pages.
class Pages : public PageSink {
public:
    void addPage(const ReportPage& page) override { pages.push_back(page); }
    std::vector<ReportPage> pages;
};

TEST(ContentsReport, ARunInStepsEndsWhereTheListChangedUnderIt)
{
    ReportTab tab(ScanKind::Contents, sample("contents.log"));
    ASSERT_TRUE(tab.toPause());
    ContentsReport report(tab.session);
    Pages sink;
    report.startRun(sink);
    // An expired deadline lays out one row a step.
    EXPECT_FALSE(report.stepRun(QDeadlineTimer(0)));
    EXPECT_FALSE(report.stepRun(QDeadlineTimer(0)));
    ASSERT_TRUE(tab.session.sortByColumn(1));
    EXPECT_TRUE(report.stepRun(QDeadlineTimer(QDeadlineTimer::Forever)));
    EXPECT_TRUE(printedLines(sink.pages).last().startsWith(QStringLiteral("Totals for 2 Users|")));
    // The next run prints the whole list again, in its new order.
    EXPECT_TRUE(printedLines(report.pages()).last().startsWith(QStringLiteral("Totals for 7 Users|")));
}

} // namespace
} // namespace bw::test
