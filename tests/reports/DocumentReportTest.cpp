#include "lists/Row.h"
#include "reports/DocumentReport.h"
#include "reports/ReportTab.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(DocumentReport, PrintsEachRowWithItsTargetPathUnderIt)
{
    ReportTab tab(ScanKind::Documents, sample("documents.log"));
    ASSERT_TRUE(tab.toPause());
    tab.session.setOutputDirectory(QStringLiteral("/rescue"));
    DocumentReport report(tab.session);
    const std::vector<ReportPage> pages = report.pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].sizeMm().toSize(), expectedSheetMm(QPageSize::Letter, true)) << "US Letter, landscape, or the printer's paper";
    const QStringList lines = printedLines(pages);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 3),
              (QStringList{QStringLiteral("GWCheck Document Error 50 Check Parser Report|NOW"),
                           QStringLiteral("Results of Parsing Log File|") + sample("documents.log"),
                           QStringLiteral("Document|Version|Author|Library|Author DPU|Extension|File Copied to")}));
    // Every row once in list order, each followed by its target.
    const QString jsmith = QStringLiteral("1045|2|JSMITH|LIB0001|JSMITH.Sales.ACME|DOC|\\\\GWSRV01\\RESCUE\\LIB0001\\3A1B2C04.ACA");
    const qsizetype at = lines.indexOf(jsmith);
    ASSERT_GE(at, 0) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[at + 1], QStringLiteral("File will be Exported to|/rescue/LIB0001/JSMITH/1045_2.DOC"));
    // A row made from "No further info available".
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("0|N/A|\\\\GWSRV01\\MAIL\\PO1\\gwdms\\lib0001\\docs\\fd1e\\4C00EA01.ACA|Unknown|Unknown|Unknown|FIX Not Selected")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("/0_N/A.Unknown")));
    EXPECT_EQ(lines.last(), QStringLiteral("Total - 10 Documents"));
    EXPECT_EQ(report.title(), QStringLiteral("GWCheck Document Error 50 Check Parser Report"));

    // Version and Extension centred on their columns; the long author wraps
    // in its column and the second line stays clear of it.
    const ReportPage& page = pages[0];
    EXPECT_EQ(overlaps(page), QStringList());
    const PageText* version = textOn(page, QStringLiteral("12"));
    ASSERT_TRUE(version);
    EXPECT_NEAR(version->rectMm.center().x(), 1 + 85 * 25.4 / 96, 1e-9);
    for (const PageText& t : page.texts()) {
        if (!t.text.startsWith(QStringLiteral("\\\\GWSRV01\\MAIL")))
            continue;
        EXPECT_TRUE(t.wrap);
        EXPECT_LE(t.rectMm.right(), 1 + 300 * 25.4 / 96);
    }
    const PageText* firstTarget = nullptr;
    for (const PageText& t : page.texts()) {
        if (!firstTarget && t.text == QStringLiteral("File will be Exported to"))
            firstTarget = &t;
    }
    ASSERT_TRUE(firstTarget);
    EXPECT_GE(firstTarget->rectMm.top() + 1e-9, textOn(page, lines[3].section(u'|', 2, 2))->rectMm.bottom());
}

TEST(DocumentReport, AnEmptyListAndASecondRunGiveTheirOwnTotals)
{
    ReportTab empty(ScanKind::Documents, crlf({"nothing here"}));
    EXPECT_FALSE(empty.toPause());
    DocumentReport none(empty.session);
    EXPECT_EQ(printedLines(none.pages()).last(), QStringLiteral("Total - 0 Documents"));

    ReportTab tab(ScanKind::Documents, sample("documents.log"));
    ASSERT_TRUE(tab.toPause());
    DocumentReport report(tab.session);
    report.pages();
    EXPECT_EQ(printedLines(report.pages()).last(), QStringLiteral("Total - 10 Documents"));
    EXPECT_EQ(report.description().size(), 2);
}

TEST(DocumentReport, TheSecondLineNamesTheTargetAsTheImportFileDoes)
{
    ReportTab tab(ScanKind::Documents, sample("documents.log"));
    ASSERT_TRUE(tab.toPause());
    tab.session.setOutputDirectory(QStringLiteral("/mnt/rescue/po1"));
    tab.session.setPathMappings(PathMappings({{QStringLiteral("\\\\FS1\\RESCUE"), QStringLiteral("/mnt/rescue")}}));
    DocumentReport report(tab.session);
    const QStringList lines = printedLines(report.pages());
    EXPECT_TRUE(lines.contains(QStringLiteral("File will be Exported to|\\\\FS1\\RESCUE\\po1\\LIB0001\\JSMITH\\1045_2.DOC")))
        << lines.join(u'\n').toStdString();
}

} // namespace
} // namespace bw::test
