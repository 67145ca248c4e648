#include "base/AccountName.h"
#include "cli/Cli.h"
#include "report_engine/PageFile.h"
#include "support/ScanRecorder.h"
#include "support/SmallFileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace bw;
using namespace bw::test;

namespace {

const QString contentsSample = QStringLiteral(BW_SAMPLES "/contents.log");

int cli(const std::vector<std::string>& args, std::string* err = nullptr)
{
    std::ostringstream out, errors;
    const int status = runCli(args, out, errors);
    if (err)
        *err = errors.str();
    return status;
}

// Scans the Contents sample (three sections) with --report FILE.
int reportSample(const QString& file, std::string* err = nullptr)
{
    return cli({"scan", "contents", contentsSample.toStdString(), "--report", file.toStdString()}, err);
}

QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(tool);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList totals(const QString& text)
{
    QStringList out;
    for (const QString& line : text.split(u'\n')) {
        if (line.contains(QStringLiteral("Totals for ")))
            out << line.simplified();
    }
    return out;
}

} // namespace

TEST(CliReport, OnePdfAReportWithTheSaveDialogsDocumentInformation)
{
    QTemporaryDir dir;
    ASSERT_EQ(reportSample(dir.filePath(QStringLiteral("r{n}.PDF"))), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("r3.PDF"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("r4.PDF"))));
    // Every run adds a description line; the subject is the first run's.
    const QString info = poppler(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("r2.PDF"))});
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           GWCheck Contents Check Parser Report\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Subject:         Results of Parsing Log File ") + contentsSample + u'\n'));
    // The author is the user running the command, as the window's Save writes it.
    const QString author = effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>")).toUpper();
    EXPECT_TRUE(info.contains(QStringLiteral("Author:          ") + author + u'\n')) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1\n")));
    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), dir.filePath(QStringLiteral("r2.PDF")), QStringLiteral("-")});
    EXPECT_EQ(totals(text), QStringList{QStringLiteral("Totals for 3 Users 5872 1794 1020 420 157927")});
}

TEST(CliReport, WithoutANumberEveryReportGoesIntoTheOneFile)
{
    QTemporaryDir dir;
    ASSERT_EQ(reportSample(dir.filePath(QStringLiteral("all.pdf"))), 0);
    EXPECT_TRUE(poppler(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("all.pdf"))}).contains(QStringLiteral("Pages:           3\n")));

    ASSERT_EQ(reportSample(dir.filePath(QStringLiteral("all.Txt"))), 0);
    EXPECT_EQ(totals(QString::fromUtf8(bytesOf(dir.filePath(QStringLiteral("all.Txt"))))),
              (QStringList{QStringLiteral("Totals for 7 Users 14158 3464 1103 295 164975"),
                           QStringLiteral("Totals for 3 Users 5872 1794 1020 420 157927"),
                           QStringLiteral("Totals for 4 Users 8499 2813 1270 122 110996")}));

    ASSERT_EQ(reportSample(dir.filePath(QStringLiteral("all.qrp"))), 0);
    const QByteArray pages = bytesOf(dir.filePath(QStringLiteral("all.qrp")));
    ASSERT_GE(pages.size(), PageFile::headerSize);
    EXPECT_EQ(PageFile::readHeader(pages.left(PageFile::headerSize)), std::optional<quint32>(3));

    for (const char* name : {"all.CSV", "all.htm"}) {
        ASSERT_EQ(reportSample(dir.filePath(QString::fromLatin1(name))), 0) << name;
        EXPECT_EQ(bytesOf(dir.filePath(QString::fromLatin1(name))).count("Totals for "), 3) << name;
    }
}

TEST(CliReport, AScanThatListsNothingStillWritesItsEmptyReport)
{
    TempLog log(crlf({"no section here"}));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("empty.txt"));
    ASSERT_EQ(cli({"scan", "expire", log.path().toStdString(), "--report", file.toStdString()}), 0);
    EXPECT_EQ(totals(QString::fromUtf8(bytesOf(file))), QStringList{QStringLiteral("Totals for 0 Users 0")});
}

TEST(CliReport, WrongFilesAreRefusedOrReported)
{
    std::string err;
    EXPECT_EQ(reportSample(QStringLiteral("report.doc"), &err), 2);
    EXPECT_NE(err.find("--report takes a file ending in .pdf"), std::string::npos);
    EXPECT_EQ(cli({"scan", "contents", contentsSample.toStdString(), "--report"}), 2);
    QTemporaryDir dir;
    EXPECT_EQ(reportSample(dir.filePath(QStringLiteral("missing/r.pdf")), &err), 1);
    EXPECT_NE(err.find("brindlewick-cli: "), std::string::npos);
}

TEST(CliReport, EveryFormOntoAFullFileSystemFailsAndKeepsTheEarlierFile)
{
    SmallFileSystem small(64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << small.reason();
    const QStringList names{"r.txt", "r.csv", "r.qrp", "r.pdf", "r.htm", "e.txt"};
    for (const QString& name : names) {
        QFile earlier(small.path(name));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    ASSERT_TRUE(small.fillLeaving(0));
    for (const QString& name : names) {
        std::string err;
        const std::string path = small.path(name).toStdString();
        const int status = name.startsWith(u'e') ? cli({"scan", "contents", contentsSample.toStdString(), "--export", path}, &err)
                                                 : reportSample(small.path(name), &err);
        EXPECT_EQ(status, 1) << path;
        EXPECT_NE(err.find(path + ": No space left on device"), std::string::npos) << err;
        EXPECT_EQ(bytesOf(small.path(name)), QByteArray("earlier")) << path;
    }
    EXPECT_EQ(QDir(small.root()).entryList(QDir::Files | QDir::Hidden).size(), names.size() + 1);
}

TEST(CliReport, AFifoTargetOfAnyNameGetsTheTextReportAndStaysAFifo)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("report");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Open for reading first, so that the writer never waits (the report
    // fits in the pipe), and a FIFO replaced by a file shows as nothing read.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(reportSample(fifo), 0);
    QByteArray read(65536, '\0');
    const ssize_t n = ::read(reader, read.data(), static_cast<std::size_t>(read.size()));
    ::close(reader);
    read.resize(std::max<qsizetype>(0, n));
    EXPECT_TRUE(read.contains("Totals for "));
    EXPECT_EQ(QFileInfo(fifo).isFile(), false);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList{"report"});
}
