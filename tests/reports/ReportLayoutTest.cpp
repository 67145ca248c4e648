#include "report_engine/TextExportFilter.h"
#include "reports/BlobReport.h"
#include "reports/ContentsReport.h"
#include "reports/DocumentReport.h"
#include "reports/ExpireReport.h"
#include "reports/ReportTab.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace bw::test {
namespace {

// A log of real size's values: 10-digit sizes and totals, long UNC paths,
// long and non-ASCII names, written at a long path of its own.
class BigValuesLog {
public:
    explicit BigValuesLog(const std::string& text)
    {
        const QString folder = m_dir.filePath(
            QStringLiteral("GroupWise Post Office Archive 2026/Accounting and Human Resources Department/"
                           "Weekly Contents Check Logs of the Main Post Office"));
        QDir().mkpath(folder);
        path = folder + QStringLiteral("/GWCHECK-contents-verification-full-run.log");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    QTemporaryDir m_dir;
    QString path;
};

std::string contentsLog()
{
    std::string log = "----- CONTENTS VERIFICATION -----\r\n";
    const char* const names[] = {"Maximilian.Müller-Lüdenscheidt.Oberbürgermeisteramt", "JSMITH",
                                 "Ærøskøbing.Bibliotekarforening"};
    for (int i = 0; i < 12; ++i) {
        const std::string name = names[i % 3] + std::to_string(i);
        log += "Checking user = " + name + " (f" + std::to_string(i) + "x) [Accounting] - 1239252098 KB, "
               "10/12/26 09:14:07\r\n";
        log += "   User stats: 1239252098 InBox, 1239252098 OutBox, 1239252098 WasteBasket, 1 Calendar\r\n";
        log += "   Disk space management: Size Limit - 2147483647KB, Threshold - 2147483647%\r\n";
        log += "   Size Limit Exceeded for user " + name + " - Current size: 9833837995KB\r\n";
    }
    return log + "PROCESSING COMPLETE\r\n";
}

std::string documentsLog()
{
    std::string log = "----- DOCUMENT STORAGE AREA VERIFICATION -----\r\n";
    const std::string dir = "\\\\GWSRV01\\MAIL\\PO1\\gwdms\\lib0001\\docs\\fd03\\";
    for (int i = 0; i < 6; ++i) {
        log += "   Error 50- BLOB file has no document reference: " + dir + "3A1B2C0" + std::to_string(i) + ".ACA\r\n";
        log += "   - Library ID: PO1.ACMEDOMAIN-ACCOUNTING.LIBRARY0001\r\n";
        log += "   - Document Num: 1234567890\r\n";
        log += "   - Version Num: 1234567890\r\n";
        log += "   - Author Name: Maximilian.Müller-Lüdenscheidt\r\n";
        log += "   - Author DPU: MBROWN.Accounting.ACME\r\n";
        log += "   - File Extension: Unknown\r\n";
        log += "   - file copied to \\\\GWSRV01\\RESCUE\\LIB0001\\Accounting and Human Resources\\3A1B2C0" +
               std::to_string(i) + ".ACA\r\n";
    }
    return log + "PROCESSING COMPLETE\r\n";
}

std::string expireLog()
{
    std::string log = "Novell GroupWise - GWCheck - Version 5.5.6\r\n----- Expire Statistics -----\r\n";
    for (int i = 0; i < 12; ++i) {
        log += std::to_string(i) + "Müller-Lüdenscheidt" +
               " (userdatabasename" + std::to_string(i) + " - 1234567890) 412 items 9833837995 BYTES in user database\r\n";
    }
    return log + "PROCESSING COMPLETE\r\n";
}

std::string structureLog()
{
    std::string log = "----- STRUCTURE CHECK -----\r\nChecking Blob files for validity\r\n"
                      "   - checking area \\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD0 Accounting and Human Resources Archive\r\n"
                      "      - Checking directory 3A\r\n";
    for (int i = 0; i < 6; ++i) {
        const std::string file = "4F2A1B0" + std::to_string(i) + ".000";
        log += "         Error 52- Blob file with missing trailer: " + file + "\r\n";
        log += "         Problem 39- Unknown file " + file + " 9833837995 bytes, 10/14/2026 10:22:14\r\n";
        log += "         Return from FlmAdopt = 0xC067\r\n";
    }
    return log + "PROCESSING COMPLETE\r\n";
}

// Texts of a page that share some height and lie closer than a blank's
// half, as "a / b", and texts that reach past the printable width.
QStringList crowded(const ReportPage& page, QRectF area)
{
    QStringList out;
    const std::vector<PageText>& texts = page.texts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QRectF& a = texts[i].rectMm;
        if (a.left() < area.left() - 1e-6 || a.right() > area.right() + 1e-6)
            out << texts[i].text + QStringLiteral(" past the margin");
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF& b = texts[j].rectMm;
            const bool sameHeight = a.top() < b.bottom() - 0.01 && b.top() < a.bottom() - 0.01;
            const double apart = std::max(b.left() - a.right(), a.left() - b.right());
            if (sameHeight && apart < 0.45)
                out << texts[i].text + QStringLiteral(" / ") + texts[j].text;
        }
    }
    return out;
}

std::unique_ptr<ScanReport> makeReport(ScanKind kind, const ScanSession& session)
{
    switch (kind) {
    case ScanKind::Contents: return std::make_unique<ContentsReport>(session);
    case ScanKind::Documents: return std::make_unique<DocumentReport>(session);
    case ScanKind::Expire: return std::make_unique<ExpireReport>(session);
    case ScanKind::Structure: return std::make_unique<BlobReport>(session);
    }
    return nullptr;
}

TEST(ReportLayout, NoTwoValuesTouchNothingPassesTheMarginAndTheTitlePathIsWhole)
{
    const std::pair<ScanKind, std::string> logs[] = {{ScanKind::Contents, contentsLog()},
                                                     {ScanKind::Documents, documentsLog()},
                                                     {ScanKind::Expire, expireLog()},
                                                     {ScanKind::Structure, structureLog()}};
    for (const auto& [kind, text] : logs) {
        BigValuesLog log(text);
        ReportTab tab(kind, log.path);
        tab.session.setOutputDirectory(QStringLiteral("\\\\GWSRV01\\RESCUE\\Accounting and Human Resources"));
        ASSERT_TRUE(tab.toPause()) << int(kind);
        ASSERT_GE(tab.session.rows().size(), 6u);
        std::unique_ptr<ScanReport> report = makeReport(kind, tab.session);
        const std::vector<ReportPage> pages = report->pages();
        const QRectF area = report->pageSetup().printableRectMm();
        for (const ReportPage& page : pages)
            EXPECT_EQ(crowded(page, area), QStringList()) << int(kind);
        const PageText* path = textOn(pages.at(0), log.path);
        ASSERT_TRUE(path) << int(kind);
        EXPECT_TRUE(path->wrap);
        // Every row printed, and the totals whole.
        const QStringList lines = printedLines(pages);
        if (kind == ScanKind::Contents) {
            EXPECT_EQ(lines.last(), QStringLiteral("Totals for 12 Users|14871025176|14871025176|14871025176|"
                                                   "14871025176|118006055940"));
        } else if (kind == ScanKind::Expire) {
            EXPECT_EQ(lines.last(), QStringLiteral("Totals for 12 Users|118006055940"));
        }
    }
}

TEST(ReportLayout, PathsWrapAtSeparatorsAndBlanksFirst)
{
    TextMeasure measure;
    const auto wrapped = [&](const QString& text, double width) {
        QStringList lines;
        for (const TextMeasure::Span& s : measure.wrapLines(text, width, QStringLiteral("Arial"), 10, false, false))
            lines << text.mid(s.start, s.length);
        return lines;
    };
    const QString unc = QStringLiteral("\\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD0");
    const double part = measure.widthMm(QStringLiteral("\\\\GWSRV01\\MAIL\\"), QStringLiteral("Arial"), 10, false,
                                        false);
    // The leading separators stay with the server's name.
    EXPECT_EQ(wrapped(unc, part + 0.1), (QStringList{"\\\\GWSRV01\\MAIL\\", "PO1\\OFFILES\\", "FD0"}));
    EXPECT_EQ(wrapped(QStringLiteral("Accounting and Human"), part), (QStringList{"Accounting and", "Human"}));
    // A dotted name too wide for the line breaks after a dot, not before its last letter.
    const double dotted = measure.widthMm(QStringLiteral("MBROWN.Accounting.AC"), QStringLiteral("Arial"), 10,
                                          false, false);
    EXPECT_EQ(wrapped(QStringLiteral("MBROWN.Accounting.ACME"), dotted),
              (QStringList{"MBROWN.Accounting.", "ACME"}));
    // A word without any break point breaks where the line is full; a
    // pair of surrogates never splits.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\x81\xF0\x9F\x93\x81\xF0\x9F\x93\x81");
    for (const QString& line : wrapped(emoji, 0.1))
        EXPECT_EQ(line.size(), 2);
    EXPECT_EQ(wrapped(QString(), 10), QStringList());

    // Widths summed glyph by glyph stay within a few tenths of a millimetre
    // of the shaped width, well inside the blank kept between texts.
    const QFont font(QStringLiteral("Arial"), 10);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(static_cast<int>(1200 / 0.0254 + 0.5));
    device.setDotsPerMeterY(static_cast<int>(1200 / 0.0254 + 0.5));
    const QFontMetricsF shaped(font, &device);
    for (const QString& text : {QStringLiteral("AVATAR WAVE Today"), QStringLiteral("Maximilian.Müller-Lüdenscheidt"),
                                QStringLiteral("9833837995"), unc}) {
        const double mm = shaped.horizontalAdvance(text) * 25.4 / 1200;
        EXPECT_NEAR(measure.widthMm(text, QStringLiteral("Arial"), 10, false, false), mm, 0.4) << text.toStdString();
    }
}

TEST(ReportLayout, TextExportHeadingsLineUpWithTheirValues)
{
    ReportTab tab(ScanKind::Contents, sample("contents.log"));
    ASSERT_TRUE(tab.toPause());
    ContentsReport report(tab.session);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("r.txt"));
    TextExportFilter filter(file);
    ASSERT_TRUE(report.exportTo(filter));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    const auto line = [&](const QString& start) {
        for (const QString& l : lines) {
            if (l.trimmed().startsWith(start))
                return l;
        }
        return QString();
    };
    const QString heading = line(QStringLiteral("User Name"));
    const QString row = line(QStringLiteral("JSMITH"));
    const QString totals = line(QStringLiteral("Totals for"));
    ASSERT_FALSE(heading.isEmpty() || row.isEmpty() || totals.isEmpty());
    // Right-aligned columns end in the same character column, left-aligned ones start in it.
    const auto endOf = [](const QString& l, const QString& word) { return l.indexOf(word) + word.size(); };
    EXPECT_EQ(endOf(heading, QStringLiteral("User DB Size")), endOf(row, QStringLiteral("2230")));
    EXPECT_EQ(endOf(heading, QStringLiteral("InBox")), endOf(row, QStringLiteral("412")));
    EXPECT_EQ(endOf(heading, QStringLiteral("WasteBasket")), endOf(totals, QStringLiteral("295")));
    EXPECT_EQ(heading.indexOf(QStringLiteral("Run Date")), row.indexOf(QStringLiteral("10/12/26")));
}

} // namespace
} // namespace bw::test
