#include "cli/CliRun.h"
#include "support/PrintQueue.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

const QString reportTitle = QStringLiteral("GWCheck Contents Check Parser Report");

// A contents log of two sections: one of many users, whose report runs over
// several pages, and one of two users.
QByteArray twoSections(int users)
{
    QByteArray log = "----- CONTENTS VERIFICATION -----\r\n";
    for (int i = 0; i < users; ++i) {
        const QByteArray name = "USER" + QByteArray::number(i);
        log += "Checking user = " + name + " (u" + QByteArray::number(i) + ") - 10 KB, 12/10/03 13:45\r\n"
               + "   User stats: 5 InBox, 1 OutBox, 0 WasteBasket\r\n" + "   " + QByteArray::number(100 + i)
               + " kbytes in use by user " + name + "\r\n";
    }
    log +=
        "PROCESSING COMPLETE\r\n----- CONTENTS VERIFICATION -----\r\n"
        "Checking user = ANN (a1) - 10 KB, 12/10/03 13:45\r\n"
        "Checking user = BOB (b2) - 10 KB, 12/10/03 13:45\r\nPROCESSING COMPLETE\r\n";
    return log;
}

// The scan verb as its own process, with the temporary folder given, since
// the page-range path leaves its page files there.
int runPrinting(const QStringList& args, const QString& tmp, QString* err = nullptr)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BW_CLI), QStringList{QStringLiteral("scan"), QStringLiteral("contents")} + args);
    if (!p.waitForFinished(120000))
        return -1;
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

// Page page (from 1) of a printed PDF as a glyph pattern: two pages print
// the same text exactly when their patterns agree.
QString pagePattern(const QString& pdf, int page)
{
    return PrintQueue::pattern(PrintQueue::pdfPageLines(pdf, page));
}

} // namespace

TEST(CliPrint, ReportsGoToThePrinterAtEveryPauseThroughTheSameRulesAsThePreview)
{
    if (const QString why = PrintQueue::unreachable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("two.log"));
    {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(twoSections(220));
    }
    const QString tmp = dir.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(tmp));
    const QString reference = dir.filePath(QStringLiteral("ref{n}.pdf"));
    const qsizetype jobsBefore = PrintQueue::pageLogLines(reportTitle).size();
    const qsizetype pdfsBefore = PrintQueue::waitForPdfs(reportTitle, 0, 0).size();

    // Pages 2 to 3 twice: one job reading 2, 3, 2, 3 on the printer named.
    // The second section's one page is outside the range, so nothing of it
    // prints.
    QString err;
    ASSERT_EQ(runPrinting({log, QStringLiteral("--print"), QStringLiteral("--printer"), PrintQueue::secondPrinter(),
                           QStringLiteral("--pages"), QStringLiteral("2-3"), QStringLiteral("--copies"),
                           QStringLiteral("2"), QStringLiteral("--report"), reference},
                          tmp, &err),
              0)
        << err.toStdString();
    EXPECT_EQ(PrintQueue::pdfPageCount(dir.filePath(QStringLiteral("ref1.pdf"))), 5);
    EXPECT_EQ(QDir(tmp).entryList({QStringLiteral("QRP*")}, QDir::Files), QStringList());
    QStringList pdfs = PrintQueue::waitForPdfs(reportTitle, static_cast<int>(pdfsBefore) + 1);
    ASSERT_EQ(pdfs.size(), pdfsBefore + 1);
    const QString range = pdfs.constLast();
    ASSERT_EQ(PrintQueue::pdfPageCount(range), 4);
    EXPECT_EQ(pagePattern(range, 1), pagePattern(range, 3));
    EXPECT_EQ(pagePattern(range, 2), pagePattern(range, 4));
    EXPECT_NE(pagePattern(range, 1), pagePattern(range, 2));
    QStringList jobs = PrintQueue::pageLogLines(reportTitle).mid(jobsBefore);
    ASSERT_EQ(jobs.size(), 1) << jobs.join(u'\n').toStdString();
    EXPECT_TRUE(jobs[0].startsWith(PrintQueue::secondPrinter() + u' ')) << jobs[0].toStdString();
    EXPECT_TRUE(jobs[0].contains(QStringLiteral(" total 4 "))) << jobs[0].toStdString();

    // Every page with three copies on the default printer: the report runs
    // again to it once a section, and the printer makes the copies.
    ASSERT_EQ(runPrinting({log, QStringLiteral("--print"), QStringLiteral("--copies"), QStringLiteral("3")}, tmp, &err),
              0)
        << err.toStdString();
    pdfs = PrintQueue::waitForPdfs(reportTitle, static_cast<int>(pdfsBefore) + 3);
    ASSERT_EQ(pdfs.size(), pdfsBefore + 3);
    EXPECT_EQ(PrintQueue::pdfPageCount(pdfs[pdfs.size() - 2]), 15);
    EXPECT_EQ(PrintQueue::pdfPageCount(pdfs.constLast()), 3);
    jobs = PrintQueue::pageLogLines(reportTitle).mid(jobsBefore + 1);
    ASSERT_EQ(jobs.size(), 2) << jobs.join(u'\n').toStdString();
    for (const QString& job : jobs)
        EXPECT_TRUE(job.startsWith(PrintQueue::printer() + u' ')) << job.toStdString();
    for (const QString& pdf : pdfs.mid(pdfsBefore))
        QFile::remove(pdf);
}

TEST(CliPrint, AnUnknownPrinterOrABadChoiceStopsBeforeTheScan)
{
    const std::string log = BW_SAMPLES "/contents.log";
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{{"--print", "--pages", "3-2"},
                                                                                     {"--print", "--pages", "0-2"},
                                                                                     {"--print", "--pages", "2"},
                                                                                     {"--print", "--pages", "2-"},
                                                                                     {"--print", "--pages", "a-b"},
                                                                                     {"--print", "--pages", "+1-2"},
                                                                                     {"--print", "--copies", "0"},
                                                                                     {"--print", "--copies", "100"},
                                                                                     {"--print", "--copies", "2x"},
                                                                                     {"--print", "--printer", ""},
                                                                                     {"--pages", "1-2"},
                                                                                     {"--copies", "2"},
                                                                                     {"--printer", "P"}}) {
        std::vector<std::string> args{"scan", "contents", log};
        args.insert(args.end(), bad.begin(), bad.end());
        const CliResult r = cli(args);
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_EQ(r.out, "") << bad.back();
        EXPECT_NE(r.err.find("usage: "), std::string::npos) << r.err;
    }
    const CliResult unknown = cli({"scan", "contents", log, "--print", "--printer", "NoSuchQueue"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    // Without print queues there is no printer at all.
    EXPECT_TRUE(unknown.err.find("brindlewick-cli: no printer named 'NoSuchQueue' is installed (installed: ") == 0
                || unknown.err == "brindlewick-cli: no printer is installed\n")
        << unknown.err;
}
