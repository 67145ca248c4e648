#include "reports/ExpireReport.h"
#include "reports/ReportTab.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const QString header = QStringLiteral("GWCheck Expire Statistics Check Parser Report|NOW");
const QString columns = QStringLiteral("User Name|User Database Name|Message Database Name|User Database Size");

TEST(ExpireReport, PrintsTheSectionAndTheTotalOfItsSizes)
{
    ReportTab tab(ScanKind::Expire, sample("expire.log"));
    ASSERT_TRUE(tab.toPause());
    ExpireReport report(tab.session);
    const std::vector<ReportPage> pages = report.pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(printedLines(pages),
              (QStringList{
                  header,
                  QStringLiteral("Results of Parsing Log File|") + sample("expire.log"),
                  columns,
                  QStringLiteral("alexandra.kowa|Userc7m.db|Msg3.db|1525760"),
                  QStringLiteral("JSMITH|Usera4k.db|Msg7.db|2268160"),
                  QStringLiteral("KMUELLER|Usere3t.db|Msg22.db|1011712"),
                  QStringLiteral("LNGUYEN|Userf9b.db|Msg0.db|656384"),
                  QStringLiteral("MBROWN|Userb1q.db|Msg20.db|5242880"),
                  QStringLiteral("PWEBER|Userd0x.db|Msg2.db|3458048"),
                  QStringLiteral("RES_CONF_ROOM_|Userg2r.db|Msg0.db|319488"),
                  QStringLiteral("Totals for 7 Users|14482432"),
              }));
    const ReportPage& page = pages[0];
    EXPECT_EQ(overlaps(page), QStringList());
    EXPECT_NEAR(textOn(page, QStringLiteral("14482432"))->rectMm.right(), 10 + 157.4, 1e-9);
    EXPECT_NEAR(textOn(page, QStringLiteral("Msg7.db"))->rectMm.left(), 10 + 92.6, 1e-9);
    EXPECT_NEAR(textOn(page, QStringLiteral("Message Database Name"))->rectMm.right(), 10 + 121.7, 1e-9);
    EXPECT_TRUE(textOn(page, columns.section(u'|', 0, 0))->bold);
    EXPECT_FALSE(textOn(page, QStringLiteral("JSMITH"))->bold);
}

TEST(ExpireReport, TotalsBeyond32BitsAndReversedOrder)
{
    ReportTab tab(ScanKind::Expire, sample("expire.log"));
    ASSERT_TRUE(tab.toPause());
    tab.next();
    ASSERT_TRUE(tab.toPause());
    tab.next();
    ASSERT_TRUE(tab.toPause());
    ASSERT_TRUE(tab.session.sortByColumn(0)) << "the caption column again: descending";
    ExpireReport report(tab.session);
    const QStringList lines = printedLines(report.pages());
    EXPECT_EQ(lines.last(), QStringLiteral("Totals for 6 Users|12895137792"));
    EXPECT_EQ(report.sizeTotal(), 12895137792LL);
    const QString first = lines[3].section(u'|', 0, 0);
    const QString last = lines[lines.size() - 2].section(u'|', 0, 0);
    EXPECT_GT(first.compare(last, Qt::CaseInsensitive), 0) << lines.join(u'\n').toStdString();
}

TEST(ExpireReport, AnEmptyListAndTwoRunsOverTwoLogs)
{
    ReportTab tab(ScanKind::Expire, crlf({"Expire Statistics", "PROCESSING COMPLETE"}));
    EXPECT_FALSE(tab.toPause());
    ExpireReport report(tab.session);
    const QString firstLog = tab.session.logPath();
    EXPECT_EQ(printedLines(report.pages()),
              (QStringList{header, QStringLiteral("Results of Parsing Log File|") + firstLog, columns,
                           QStringLiteral("Totals for 0 Users|0")}));
    // The tab's log box names the log of the next run; the description keeps
    // the first run's line first.
    ASSERT_TRUE(tab.session.choose(sample("expire.log")));
    const QStringList lines = printedLines(report.pages());
    EXPECT_EQ(lines[1], QStringLiteral("Results of Parsing Log File|") + sample("expire.log"));
    EXPECT_EQ(report.description(),
              (QStringList{QStringLiteral("Results of Parsing Log File ") + firstLog,
                           QStringLiteral("Results of Parsing Log File ") + sample("expire.log")}));
}

} // namespace
} // namespace bw::test
