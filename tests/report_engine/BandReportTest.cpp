#include "report_engine/BandReport.h"
#include "report_engine/PageSink.h"
#include "report_engine/ReportPage.h"
#include "report_engine/ReportUnits.h"
#include "report_engine/DemoReport.h"
#include "report_engine/PageText.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

using Kind = BandReport::Kind;

TEST(BandReportTest, HeadersOnEveryPageTitleOnceSummaryAtTheEnd)
{
    DemoReport demo(DemoReport::rows(120));
    const std::vector<ReportPage> pages = demo.report.pages();
    ASSERT_GE(pages.size(), 3u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QStringList lines = linesOf(pages[i]);
        ASSERT_GE(lines.size(), 2);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Demonstration Report|"))) << i;
        const int columnLine = i == 0 ? 2 : 1;
        EXPECT_EQ(lines[columnLine], QStringLiteral("Name|Number|Note")) << i;
        EXPECT_EQ(lines.contains(QStringLiteral("Results of Parsing Log File|/logs/demo.log")), i == 0) << i;
        EXPECT_EQ(lines.contains(QStringLiteral("Total - 120 rows")), i + 1 == pages.size()) << i;
        EXPECT_EQ(pages[i].sizeMm().toSize(), QSize(210, 297));
    }
    // Every row once, in order, and nothing below the bottom margin.
    QStringList names;
    for (const ReportPage& page : pages) {
        for (const PageText& t : page.texts()) {
            if (t.text.startsWith(QStringLiteral("User ")))
                names << t.text;
            EXPECT_LE(t.rectMm.top(), 297 - 10);
        }
    }
    ASSERT_EQ(names.size(), 120);
    EXPECT_EQ(names.first(), QStringLiteral("User 1"));
    EXPECT_EQ(names.last(), QStringLiteral("User 120"));
}

TEST(BandReportTest, PlacesFieldsByAlignmentAndGrowsTheDetailForItsSecondLine)
{
    DemoReport demo(DemoReport::rows(3, 2));
    const ReportPage page = demo.report.pages().at(0);
    // Inside the 10 mm margins, at the field's position in its band.
    const PageText* name1 = findText(page, QStringLiteral("User 1"));
    const PageText* name2 = findText(page, QStringLiteral("User 2"));
    const PageText* name3 = findText(page, QStringLiteral("User 3"));
    ASSERT_TRUE(name1 && name2 && name3);
    EXPECT_DOUBLE_EQ(name1->rectMm.left(), 10 + 2.6);
    EXPECT_NEAR(name2->rectMm.top() - name1->rectMm.top(), 5.3, 1e-9);
    EXPECT_NEAR(name3->rectMm.top() - name2->rectMm.top(), 10.6, 1e-9);
    const PageText* number = findText(page, QStringLiteral("1000"));
    ASSERT_TRUE(number);
    EXPECT_NEAR(number->rectMm.right(), 10 + 74.1, 1e-9);
    EXPECT_GT(number->rectMm.width(), 0);
    const PageText* heading = findText(page, QStringLiteral("Note"));
    ASSERT_TRUE(heading);
    EXPECT_NEAR(heading->rectMm.center().x(), 10 + 100, 1e-9);
    // The hidden note of rows 1 and 3 prints nothing; row 2's prints under it.
    const PageText* note = findText(page, QStringLiteral("Note for 2"));
    ASSERT_TRUE(note);
    EXPECT_NEAR(note->rectMm.top() - name2->rectMm.top(), 5.3, 1e-9);
    int texts = 0;
    for (const PageText& t : page.texts())
        texts += t.text.isEmpty() ? 1 : 0;
    EXPECT_EQ(texts, 0);
    EXPECT_TRUE(name1->bold == false && findText(page, QStringLiteral("Name"))->bold);
}

TEST(BandReportTest, AskForDataUntilNoThenOnceMoreAndRunHooksInOrder)
{
    DemoReport demo(DemoReport::rows(2));
    demo.report.pages();
    const std::vector<std::string> expected{"report", "pageHeader", "title", "columnHeader", "need", "detail",
                                            "need",   "detail",     "need",  "summary"};
    EXPECT_EQ(demo.log, expected);
}

TEST(BandReportTest, EmptyReportIsOnePageOfHeadersAndSummary)
{
    DemoReport demo(std::vector<DemoReport::Row>{});
    const std::vector<ReportPage> pages = demo.report.pages();
    ASSERT_EQ(pages.size(), 1u);
    const QStringList lines = linesOf(pages[0]);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], QStringLiteral("Results of Parsing Log File|/logs/demo.log"));
    EXPECT_EQ(lines[2], QStringLiteral("Name|Number|Note"));
    EXPECT_EQ(lines[3], QStringLiteral("Total - 0 rows"));
}

TEST(BandReportTest, SummaryThatDoesNotFitGoesToANewPageWithItsHeaders)
{
    // A detail band that leaves less room than the summary needs.
    DemoReport demo(DemoReport::rows(1));
    demo.report.band(Kind::Detail).setBeforePrint(
        [&](bool&) { demo.report.band(Kind::Detail).setHeightMm(297 - 20 - 7.9 - 7.9 - 9.3 - 1); });
    const std::vector<ReportPage> pages = demo.report.pages();
    ASSERT_EQ(pages.size(), 2u);
    const QStringList second = linesOf(pages[1]);
    ASSERT_EQ(second.size(), 3);
    EXPECT_EQ(second[1], QStringLiteral("Name|Number|Note"));
    EXPECT_EQ(second[2], QStringLiteral("Total - 1 rows"));
}

TEST(BandReportTest, BandHookCanLeaveAPrintOutAndWrappedTextGrowsItsBand)
{
    DemoReport demo(DemoReport::rows(3));
    demo.report.band(Kind::ColumnHeader).setBeforePrint([](bool& print) { print = false; });
    demo.name->setWrapWidthMm(12);
    demo.report.setNeedData([&, n = 0]() mutable {
        demo.name->setText(n == 0 ? QStringLiteral("a long name that must wrap over several lines")
                                  : QStringLiteral("short"));
        demo.report.band(Kind::Detail).setHeightMm(5.3);
        return n++ < 2;
    });
    const ReportPage page = demo.report.pages().at(0);
    EXPECT_FALSE(findText(page, QStringLiteral("Name")));
    const PageText* wrapped = findText(page, QStringLiteral("a long name that must wrap over several lines"));
    const PageText* next = findText(page, QStringLiteral("short"));
    ASSERT_TRUE(wrapped && next);
    EXPECT_TRUE(wrapped->wrap);
    EXPECT_DOUBLE_EQ(wrapped->rectMm.width(), 12);
    EXPECT_GT(wrapped->rectMm.height(), 10);
    EXPECT_NEAR(next->rectMm.top(), wrapped->rectMm.bottom(), 1e-9);
}

TEST(BandReportTest, TextsOfALineKeepABlankApartAndInsideTheWidth)
{
    // A name that runs past the number's column pushes the number right; a
    // name as wide as the line sends the number to a line of its own.
    DemoReport demo(std::vector<DemoReport::Row>{{QString(40, u'W'), QStringLiteral("1234567890"), QString()},
                                                 {QString(75, u'W'), QStringLiteral("22"), QString()},
                                                 {QStringLiteral("short"), QStringLiteral("333"), QString()}});
    const ReportPage page = demo.report.pages().at(0);
    const PageText* pushed = findText(page, QStringLiteral("1234567890"));
    const PageText* carried = findText(page, QStringLiteral("22"));
    const PageText* kept = findText(page, QStringLiteral("333"));
    const PageText* wide = findText(page, QString(75, u'W'));
    ASSERT_TRUE(pushed && carried && kept && wide);
    const PageText* first = findText(page, QString(40, u'W'));
    EXPECT_NEAR(pushed->rectMm.top(), first->rectMm.top(), 1e-9);
    EXPECT_GE(pushed->rectMm.left() - first->rectMm.right(), 0.9);
    EXPECT_LE(pushed->rectMm.right(), 200 + 1e-9);
    EXPECT_NEAR(carried->rectMm.top(), wide->rectMm.bottom(), 1e-9);
    EXPECT_NEAR(carried->rectMm.right(), 10 + 74.1, 1e-9);
    // The next row goes under the carried number; a row that fits stays as designed.
    EXPECT_GE(findText(page, QStringLiteral("short"))->rectMm.top() + 1e-9, carried->rectMm.bottom());
    EXPECT_NEAR(kept->rectMm.right(), 10 + 74.1, 1e-9);
}

TEST(BandReportTest, DescriptionGainsALinePerRunAndTheTitleIsTheRunsOwn)
{
    DemoReport demo(DemoReport::rows(1));
    demo.report.pages();
    demo.logPath = QStringLiteral("/logs/second.log");
    demo.report.pages();
    EXPECT_EQ(demo.report.description(),
              QStringList({QStringLiteral("Results of Parsing Log File /logs/demo.log"),
                           QStringLiteral("Results of Parsing Log File /logs/second.log")}));
    EXPECT_EQ(demo.report.title(), QStringLiteral("Demonstration Report"));
}

TEST(BandReportTest, LandscapeLetterAndPixelPositions)
{
    PageSetup setup(PageSetup::Paper::Letter, QPageLayout::Landscape, 1);
    EXPECT_NEAR(setup.paperSizeMm().width(), 279.4, 0.01);
    EXPECT_NEAR(setup.paperSizeMm().height(), 215.9, 0.01);
    EXPECT_NEAR(setup.printableRectMm().left(), 1, 1e-9);
    EXPECT_NEAR(setup.printableRectMm().width(), 277.4, 0.01);
    EXPECT_DOUBLE_EQ(mmFromPixels(96), 25.4);
}

} // namespace
} // namespace bw::test
