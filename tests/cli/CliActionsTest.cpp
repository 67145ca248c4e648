#include "cli/CliRun.h"
#include "support/ActionFixture.h"
#include "support/ScanRecorder.h"

#include <QDir>
#include <QLocale>

#include <gtest/gtest.h>


using namespace bw;
using namespace bw::test;

namespace {

std::string s(const QString& path)
{
    return path.toStdString();
}

const std::string kContents = crlf({
    "CONTENTS VERIFICATION",
    "Checking user = BOB (b0b) - 10 KB, 12/10/03 13:45",
    "10 bytes in use by user",
    "Checking user = AL (a1a) - 9 KB, 12/10/03 13:46",
    "9 bytes in use by user",
    "PROCESSING COMPLETE",
    "CONTENTS VERIFICATION",
    "Checking user = CY (c1c) - 3 KB",
    "3 bytes in use by user",
    "PROCESSING COMPLETE",
});

const QByteArray kHeader = "User Name\tUser FID\tUser DB Size\tInbox\tOutbox\tWasteBasket\tTotal Size\tOver "
                           "Threshold\tSize Limit\tThreshold\tDepartment\tReport Date\r\n";
const QByteArray kAl = "AL\ta1a\t9\tN/A\tN/A\tN/A\t9\tZ\tN/A\tN/A\t\t12/10/03 13:46\r\n";
const QByteArray kBob = "BOB\tb0b\t10\tN/A\tN/A\tN/A\t10\tZ\tN/A\tN/A\t\t12/10/03 13:45\r\n";
const QByteArray kCy = "CY\tc1c\t3\tN/A\tN/A\tN/A\t3\tZ\tN/A\tN/A\t\tKB\r\n";

std::string docRecord(const char* number, const char* author, const char* source)
{
    return crlf({"   Error 50- BLOB file has no document reference: X.ACA", "   - Library ID: PO1.DOM.LIB0001",
                 std::string("   - Document Num: ") + number, "   - Version Num: 1",
                 std::string("   - Author Name: ") + author, std::string("   - Author DPU: DOM.PO1.") + author,
                 "   - File Extension: DOC", std::string("   - file copied to ") + source});
}

} // namespace

TEST(CliActions, ExportsGoIntoOneFileWithTheHeaderOnceOrOneFileEachWithN)
{
    TempLog log(kContents);
    const QString one = log.dir() + "/all.txt";
    const auto r = cli({"scan", "contents", s(log.path()), "--export", s(one)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readAll(one), kHeader + kAl + kBob + kCy);
    EXPECT_NE(r.out.find("AL\ta1a"), std::string::npos) << "the rows are listed as before";

    const auto n = cli({"scan", "contents", s(log.path()), "--export", s(log.dir() + "/part{n}.txt")});
    EXPECT_EQ(n.status, 0);
    EXPECT_EQ(readAll(log.dir() + "/part1.txt"), kHeader + kAl + kBob);
    EXPECT_EQ(readAll(log.dir() + "/part2.txt"), kHeader + kCy);
    EXPECT_FALSE(QFileInfo::exists(log.dir() + "/part3.txt"));

    // Relative to where the command runs.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(log.dir()));
    const auto rel = cli({"scan", "contents", "test.log", "--export", "rel.txt"});
    ASSERT_TRUE(QDir::setCurrent(cwd));
    EXPECT_EQ(rel.status, 0);
    EXPECT_EQ(readAll(log.dir() + "/rel.txt"), kHeader + kAl + kBob + kCy);
}

TEST(CliActions, ExpireExportAndAnExportThatCannotBeWrittenEndsWithStatusOne)
{
    TempLog log(crlf({"Novell GroupWise - GWCheck - Version 5.5.6", "----- Expire Statistics -----", "User           (FID - Msg DB)   Items expired  Total size",
                      "JSMITH         (a4k - 7)        412 items 2268160 BYTES in user database",
                      "PROCESSING COMPLETE"}));
    const QString file = log.dir() + "/mess.txt";
    const auto r = cli({"scan", "expire", s(log.path()), "--export", s(file)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(file), "JSMITH\tUsera4k.db\tMsg7.db\t2268160\r\n");

    const QString bad = log.dir() + "/none/x{n}.txt";
    const auto b = cli({"scan", "expire", s(log.path()), "--export", s(bad)});
    EXPECT_EQ(b.status, 1);
    EXPECT_EQ(b.err.rfind("brindlewick-cli: " + s(log.dir()) + "/none/x1.txt: ", 0), 0u) << b.err;
    EXPECT_EQ(b.out.find("# Continuing"), std::string::npos) << "the run ends there";
}

TEST(CliActions, RescueWritesTheImportLinesOfTheWholeRunAndCountsFailedRows)
{
    TempLog log(crlf({"Library: PO1.DOM.LIB0001"}) + docRecord("11", "JSMITH", "rescue\\A.ACA") +
                docRecord("12", "MBROWN", "\\\\GWSRV01\\RESCUE\\B.ACA") + crlf({"PROCESSING COMPLETE"}) +
                crlf({"Library: PO1.DOM.LIB0001"}) + docRecord("13", "PWEBER", "rescue\\GONE.ACA") +
                crlf({"PROCESSING COMPLETE"}));
    writeFile(log.dir() + "/rescue/A.ACA", "a");
    writeFile(log.dir() + "/mnt/b.aca", "b");
    const QString out = log.dir() + "/out";
    ASSERT_TRUE(QDir().mkpath(out));
    const QString csv = log.dir() + "/import.csv";
    const auto r = cli({"scan", "documents", s(log.path()), "--rescue", s(out), "--csv", s(csv), "--map",
                        "\\\\GWSRV01\\RESCUE=" + s(log.dir() + "/mnt")});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_EQ(r.err, "brindlewick-cli: Source File rescue\\GONE.ACA Not Found\n");
    EXPECT_NE(r.out.find("# Exporting Document Files and Creating Import File\n# Exporting - 1 Successful / 0 "
                         "Failures\n# Exporting - 2 Successful / 0 Failures\n# Completed Export - 2 Successful / 0 "
                         "Failures\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("# Completed Export - 0 Successful / 1 Failures\n"), std::string::npos);
    const QByteArray date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toLocal8Bit();
    EXPECT_EQ(readAll(csv), "\"JSMITH\",\"JSMITH\",\"11\",\"1\",\"" + QFile::encodeName(out) +
                                "/LIB0001/JSMITH/11_1.DOC\",\"ReImported on " + date + "\"\r\n\"MBROWN\",\"MBROWN\",\"12\",\"1\",\"" +
                                QFile::encodeName(out) + "/LIB0001/MBROWN/12_1.DOC\",\"ReImported on " + date + "\"\r\n");
    EXPECT_TRUE(QFileInfo::exists(log.dir() + "/rescue/A.xxx"));
    EXPECT_TRUE(QFileInfo::exists(log.dir() + "/mnt/b.xxx"));
}

TEST(CliActions, BackdateReportsItsStatusesAndADirectoryInPlaceOfTheFileFailsTheRow)
{
    TempLog log(crlf({"- checking area po", "- Checking directory 3A",
                      "Error 52- Blob file with missing trailer: A.000", "Return from FlmAdopt = 0xC067",
                      "PROCESSING COMPLETE"}));
    writeFile(log.dir() + "/po/3a/a.000", "blob");
    const auto r = cli({"scan", "structure", s(log.path()), "--backdate"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("# Redating BLOB Files\n# Redating BLOB Files - 1 Successful / 0 Failures\n"
                         "# Completed Redating - 1 Successful / 0 Failures\n"),
              std::string::npos)
        << r.out;

    // A directory where the file should be is no file.
    ASSERT_TRUE(QFile::remove(log.dir() + "/po/3a/a.000"));
    ASSERT_TRUE(QDir().mkpath(log.dir() + "/po/3a/a.000"));
    const auto d = cli({"scan", "structure", s(log.path()), "--backdate"});
    EXPECT_EQ(d.status, 3);
    EXPECT_EQ(d.err, "brindlewick-cli: Source File po\\3A\\A.000 Not Found\n");

    // A time the shift would put before 1980: the line names the file. A file
    // outside the log's folder: not touched, and one line says why.
    ASSERT_TRUE(QDir(log.dir() + "/po/3a/a.000").removeRecursively());
    writeFile(log.dir() + "/po/3a/a.000", "blob");
    QFile early(log.dir() + "/po/3a/a.000");
    ASSERT_TRUE(early.open(QIODevice::ReadWrite));
    ASSERT_TRUE(early.setFileTime(QDateTime(QDate(1980, 1, 5), QTime(12, 0)), QFileDevice::FileModificationTime));
    TempLog outside("");
    writeFile(outside.dir() + "/3b/b.000", "blob");
    TempLog two(crlf({"- checking area po", "- Checking directory 3A", "Error 52- Blob file with missing trailer: A.000",
                      "Return from FlmAdopt = 0xC067", "- checking area " + s(outside.dir()), "- Checking directory 3B",
                      "Error 52- Blob file with missing trailer: B.000", "Return from FlmAdopt = 0xC067",
                      "PROCESSING COMPLETE"}));
    QDir().rename(log.dir() + "/po", two.dir() + "/po");
    const auto e = cli({"scan", "structure", s(two.path()), "--backdate"});
    EXPECT_EQ(e.status, 3);
    EXPECT_EQ(e.err, "brindlewick-cli: File Redate Failed - Error 22 " + s(two.dir()) + "/po/3a/a.000\n"
                     "brindlewick-cli: Source File " + s(outside.dir()) + "\\3B\\B.000 Not Found\n"
                     "brindlewick-cli: 1 files lie outside the log's folder and every mapped folder: "
                     "--map PREFIX=FOLDER allows them\n");
}

TEST(CliActions, WrongCombinationsAreUsageErrors)
{
    EXPECT_EQ(cli({"scan", "documents", "x.log", "--export", "f"}).status, 2);
    EXPECT_EQ(cli({"scan", "contents", "x.log", "--backdate"}).status, 2);
    EXPECT_EQ(cli({"scan", "documents", "x.log", "--rescue", "out"}).status, 2);
    EXPECT_EQ(cli({"scan", "documents", "x.log", "--csv", "f.csv"}).status, 2);
    EXPECT_EQ(cli({"scan", "expire", "x.log", "--rescue", "o", "--csv", "f"}).status, 2);
    EXPECT_EQ(cli({"scan", "structure", "x.log", "--map", "nothing"}).status, 2);
    EXPECT_EQ(cli({"scan", "structure", "x.log", "--map"}).status, 2);
    EXPECT_EQ(cli({"scan", "contents", "x.log", "--export"}).status, 2);
    // A log that cannot be read leaves an earlier export alone.
    TempLog dir("");
    writeFile(dir.dir() + "/keep.txt", "earlier");
    const auto r = cli({"scan", "contents", s(dir.dir() + "/gone.log"), "--export", s(dir.dir() + "/keep.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readAll(dir.dir() + "/keep.txt"), "earlier");
}
