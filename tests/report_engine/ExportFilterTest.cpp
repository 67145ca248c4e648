#include "report_engine/CsvExportFilter.h"
#include "report_engine/DemoReport.h"
#include "report_engine/ExportFilterList.h"
#include "report_engine/HtmlExportFilter.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/PrintJob.h"
#include "report_engine/TextExportFilter.h"
#include "support/QtPrinting.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace bw::test {
namespace {

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// What a poppler tool prints about the file.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ExportFilterTest : public ::testing::Test {
protected:
    // Three rows whose values need quoting and escaping.
    ExportFilterTest()
        : demo(std::vector<DemoReport::Row>{{QStringLiteral("Smith, John"), QStringLiteral("1"), QString()},
                {QStringLiteral("say \"hi\""), QStringLiteral("22"), QStringLiteral("<b>&amp;</b>")},
                {QStringLiteral("Zoë"), QStringLiteral("333"), QString()}})
    {
        demo.report.band(BandReport::Kind::PageHeader).fields()[1]->setVisible(false); // no clock in the output
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    DemoReport demo;
};

TEST_F(ExportFilterTest, TextLaysTheLinesOutInColumns)
{
    TextExportFilter filter(path("r.txt"));
    ASSERT_TRUE(demo.report.exportTo(filter));
    // Columns of 2.54 mm from the sheet's edge: "Name" at 12.6 mm starts in
    // column 5, "Number" ends at 84.1 mm, in column 33.
    const QString expected = QStringLiteral("         Demonstration Report\n"
                                            "         Results of Parsing Log File /logs/demo.log\n"
                                            "     Name                  Number        Note\n"
                                            "     Smith, John                1\n"
                                            "     say \"hi\"                  22\n"
                                            "         <b>&amp;</b>\n"
                                            "     Zoë                      333\n"
                                            "     Total - 3 rows\n");
    EXPECT_EQ(readText(path("r.txt")), expected);
}

TEST_F(ExportFilterTest, TextKeepsPositionsOfACraftedPageOnThePage)
{
    // A page file may say anything: texts far off the sheet, a sheet of 1e300 mm.
    ReportPage page(QSizeF(1e300, 297));
    for (const double x : {-1e12, 1e12}) {
        PageText t;
        t.text = QStringLiteral("far");
        t.rectMm = QRectF(x, 10, 5, 4);
        page.add(t);
    }
    TextExportFilter filter(path("far.txt"));
    filter.begin(QString());
    filter.addPage(page);
    ASSERT_TRUE(filter.finish());
    EXPECT_LT(QFile(path("far.txt")).size(), 4000);
}

TEST_F(ExportFilterTest, TextSeparatesPagesWithAFormFeed)
{
    DemoReport big(DemoReport::rows(120));
    TextExportFilter filter(path("big.txt"));
    ASSERT_TRUE(big.report.exportTo(filter));
    const QString text = readText(path("big.txt"));
    EXPECT_EQ(text.count(u'\f'), 2);
    EXPECT_EQ(text.count(QStringLiteral("Name ")), 3);
}

TEST_F(ExportFilterTest, CsvHasARecordPerPrintedLineQuotedAsRfc4180Says)
{
    CsvExportFilter filter(path("r.csv"), u',');
    ASSERT_TRUE(demo.report.exportTo(filter));
    const QString expected = QStringLiteral("Demonstration Report\r\n"
                                            "Results of Parsing Log File,/logs/demo.log\r\n"
                                            "Name,Number,Note\r\n"
                                            "\"Smith, John\",1\r\n"
                                            "\"say \"\"hi\"\"\",22\r\n"
                                            "<b>&amp;</b>\r\n"
                                            "Zoë,333\r\n"
                                            "Total - 3 rows\r\n");
    EXPECT_EQ(readText(path("r.csv")), expected);
}

TEST_F(ExportFilterTest, HtmlParsesBackToTheTexts)
{
    HtmlExportFilter filter(path("r.htm"));
    ASSERT_TRUE(demo.report.exportTo(filter));
    QXmlStreamReader xml(readText(path("r.htm")));
    QStringList spans;
    QString title;
    int pages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"title")
            title = xml.readElementText();
        else if (xml.name() == u"div" && xml.attributes().value(QStringLiteral("class")) == u"page")
            ++pages;
        else if (xml.name() == u"span")
            spans << xml.readElementText();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("Demonstration Report"));
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(spans.contains(QStringLiteral("<b>&amp;</b>")));
    EXPECT_TRUE(spans.contains(QStringLiteral("say \"hi\"")));
    EXPECT_TRUE(spans.contains(QStringLiteral("Zoë")));
    EXPECT_EQ(spans.size(), 14);
}

TEST_F(ExportFilterTest, PdfCarriesPagesTextAndDocumentInformation)
{
    DemoReport big(DemoReport::rows(120));
    PdfExportFilter filter(path("r.pdf"));
    filter.setDocumentInfo(QStringLiteral("JSMITH"), QStringLiteral("Demonstration Report"),
                           QStringLiteral("Results of Parsing Log File /logs/ä.log"));
    ASSERT_TRUE(big.report.exportTo(filter)) << filter.errorString().toStdString();
    const QString info = poppler(QStringLiteral("pdfinfo"), {path("r.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("\nPages: +3\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Author: +JSMITH\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +Demonstration Report\n"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Subject: +Results of Parsing Log File /logs/ä.log\n"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")))) << info.toStdString();
    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path("r.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("User 1 "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("User 120")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total - 120 rows")));
    EXPECT_EQ(text.count(QStringLiteral("Demonstration Report")), 3);
}

TEST_F(ExportFilterTest, UnwritableFileFailsWithItsReason)
{
    CsvExportFilter filter(dir.filePath(QStringLiteral("no/such/folder/r.csv")), u',');
    EXPECT_FALSE(demo.report.exportTo(filter));
    EXPECT_TRUE(filter.errorString().contains(QStringLiteral("r.csv"))) << filter.errorString().toStdString();
}

TEST_F(ExportFilterTest, JobExportsByRunningItsReportAgainAndNotWithoutOne)
{
    PrintJob job(&demo.report);
    ASSERT_TRUE(job.generate());
    CsvExportFilter filter(path("job.csv"), u',');
    ASSERT_TRUE(job.exportTo(filter));
    EXPECT_EQ(demo.report.description().size(), 2);
    job.clearReport();
    CsvExportFilter none(path("none.csv"), u',');
    EXPECT_FALSE(job.exportTo(none));
    EXPECT_FALSE(QFile::exists(path("none.csv")));
}

TEST_F(ExportFilterTest, ListGivesTheSaveDialogFilterInRegistrationOrder)
{
    EXPECT_EQ(ExportFilterList::saveDialogFilter(), QStringLiteral("Report page file (*.qrp)|*.qrp"));
    {
        ExportFilterList::Registration text(TextExportFilter::entry());
        ExportFilterList::Registration csv(CsvExportFilter::entry());
        ExportFilterList::Registration html(HtmlExportFilter::entry());
        EXPECT_EQ(ExportFilterList::saveDialogFilter(),
                  QStringLiteral("Report page file (*.qrp)|*.qrp|Text file (*.TXT)|*.TXT|Comma Separated (*.CSV)|*.CSV"
                                 "|HTML document (*.HTM)|*.HTM"));
        EXPECT_TRUE(dynamic_cast<CsvExportFilter*>(ExportFilterList::create(1, path("x.csv")).get()));
        EXPECT_FALSE(ExportFilterList::create(3, path("x")));
        EXPECT_FALSE(ExportFilterList::create(-1, path("x")));
    }
    EXPECT_TRUE(ExportFilterList::entries().empty());
}

} // namespace
} // namespace bw::test
