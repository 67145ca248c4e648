#include "lists/BlobCompare.h"
#include "scan/StructureParser.h"
#include "support/ScanRecorder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdio>

using namespace bw;
using namespace bw::test;

namespace {

constexpr const char* kStart = "# Started Parsing Structure Check Log File";
constexpr const char* kContinue = "# Continuing Parsing Structure Check Log File";
constexpr const char* kCompleted = "# Completed Parsing Log File";

// Dates are written under the C locale here, whatever the machine's.
struct StructureScan {
    ScanRun run{blobOrder(QLocale::c())};
    StructureParser parser{QLocale::c()};

    std::vector<std::string> scan(const std::string& text) { return run.run(parser, text); }
};

std::string record(std::string_view name)
{
    return "    Error 52- Blob file with missing trailer: " + std::string(name);
}

// The parser cuts the log's size and date from the 39th character on, just
// after an 8.3 file name.
std::string unknownFile(std::string_view name12, std::string_view sizeAndDate)
{
    return "    Problem 39- Unknown file " + std::string(name12) + " " + std::string(sizeAndDate);
}

std::vector<std::string> statuses(std::vector<std::string> t)
{
    std::erase_if(t, [](const std::string& l) { return l.rfind("# ", 0) != 0; });
    return t;
}

std::string backslashed(QString path)
{
    return path.replace(u'/', u'\\').toStdString();
}

void writeFile(const QString& path, qint64 size, const QDateTime& modified)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
    if (size <= 16)
        f.write(QByteArray(static_cast<qsizetype>(size), 'x'));
    else
        ASSERT_TRUE(f.resize(size));
    // Written bytes still in the buffer would move the time again at close.
    ASSERT_TRUE(f.flush());
    ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

// A section of n records with their result lines; the end marker is left out.
std::string recordsLog(int n)
{
    std::string log = crlf({"- checking area \\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD0", "- Checking directory D"});
    char name[32];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(name, sizeof name, "F%04d.000", i);
        log += crlf({record(name), "    Return from FlmAdopt = 0xC067"});
    }
    return log;
}

} // namespace

TEST(StructureParser, RulesFillRowsFromTheLogWhenNoFileIsOnDisk)
{
    StructureScan s;
    const auto t = s.scan(crlf({
        "Path to PO = \\\\NOSERVER-BW\\VOL\\PO  ",
        "Checking Blob files for validity",
        "  - Checking directory 0A",
        record("4F2A1B00.000"),
        "    Blob file copied to \\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\0A\\4F2A1B00.BAK",
        "   - checking area   NOSERVER-BW/VOL:\\PO\\OFFILES\\FD3  ",
        record("IGNORED.000"), // no directory named since the area line
        "  - Checking directory SUB7",
        record("ABCDEF01.000"),
        unknownFile("ABCDEF01.000", "1536 bytes, 10/14/2003 10:22:14"),
        record("ABCDEF02.000"),
        "    Return from WpioDirCreate = 0x8209",
        record("ABCDEF03.000"),
        "    Return from FlmAdopt = 0xC067",
        record("ABCDEF04.000"),
        unknownFile("ABCDEF04.000", "nocomma"),
        "PROCESSING COMPLETE",
    }));
    const std::string fd3 = "|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3|";
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 5 BLOB Files",
                     "0A\\4F2A1B00.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES|0|30 Dec 1899|Unknown|Already Copied",
                     "SUB7\\ABCDEF01.000" + fd3 + "1536|10/14/2003 10:22:14|Unknown|Deleted",
                     "SUB7\\ABCDEF02.000" + fd3 + "0|30 Dec 1899|Unknown|0x8209",
                     "SUB7\\ABCDEF03.000" + fd3 + "0|30 Dec 1899|Unknown|0xC067",
                     "SUB7\\ABCDEF04.000" + fd3 + "|nocomma|Unknown|Deleted",
                     kContinue,
                     kCompleted,
                 }));
}

TEST(StructureParser, AreaPathForms)
{
    const std::string expected = "\\\\SERVER\\VOLUME\\PO\\OFFILES\\FD1";
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:\\PO\\OFFILES\\FD1"), expected);
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER\\VOLUME:\\PO\\OFFILES\\FD1"), expected);
    // The rest after the volume's ":" is appended as it stands.
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:PO\\OFFILES\\FD1"), "\\\\SERVER\\VOLUMEPO\\OFFILES\\FD1");
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:"), "\\\\SERVER\\VOLUME");
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOL:/PO/OFFILES"), "\\\\SERVER\\VOL/PO/OFFILES");
    EXPECT_EQ(StructureParser::areaPathFrom("samples\\po\\OFFILES\\FD0"), "samples\\po\\OFFILES\\FD0");
    EXPECT_EQ(StructureParser::areaPathFrom(""), "");
    // A ":" with no separator before it: the server part holds the volume.
    EXPECT_EQ(StructureParser::areaPathFrom("VOLUME:\\PO"), "\\\\VOLUME:\\PO");
}

TEST(StructureParser, RecordsCutShortByEveryCloser)
{
    StructureScan s;
    const auto t = s.scan(crlf({
        "- checking area AREA1",
        "- Checking directory D",
        record("CUT1.000"),
        // A new check interrupts the record: its result line is then ignored.
        "Checking Blob files for validity",
        "    file copied to X",
        "- Checking directory D",
        record("CUT2.000"),
        // While a record waits, area, directory and record lines are ignored.
        "- checking area AREA2",
        "- Checking directory E",
        record("CUT3.000"),
        "    Return from FlmAdopt = 0xC067",
        "    Return from FlmAdopt = 0xC067",
        record("CUT4.000"),
        "PROCESSING COMPLETE",
        // Outside a section nothing applies, the end marker included.
        "    file copied to X",
        "PROCESSING COMPLETE",
        "- Checking directory D",
        record("CUT5.000"),
        "- checking area AREA3",
        "- Checking directory F",
        record("CUT6.000"),
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 3 BLOB Files",
                     "D\\CUT1.000|AREA1|Unknown|Unknown|Unknown|Unknown",
                     "D\\CUT2.000|\\OFFILES|0|30 Dec 1899|Unknown|0xC067",
                     "D\\CUT4.000|\\OFFILES|Unknown|Unknown|Unknown|Unknown",
                     kContinue,
                     "F\\CUT6.000|AREA3|Unknown|Unknown|Unknown|Unknown",
                     kCompleted,
                 }));
    EXPECT_TRUE(s.parser.recordOpen());
    EXPECT_TRUE(s.run.host.enabled[ScanControl::Action]) << "an unclosed section leaves its rows";
}

TEST(StructureParser, RulesRunInOrderOnOneLineAndGoOnAfterAPause)
{
    StructureScan s;
    const auto t = s.scan(crlf({
        "Path to PO = OLD",
        // The area is set before the PO path is read: it still comes from OLD.
        "Checking Blob files for validity; Path to PO = NEW",
        "- Checking directory D",
        // The state the record sets lets the result on the same line complete it.
        "Error 52- Blob file with missing trailer: A.000 file copied to B",
        "Checking Blob files for validity",
        "- Checking directory D",
        record("C.000"),
        "    Return from FlmAdopt = 0xC067",
        // After Continue the line goes on after its end marker: the tests
        // before it are not run again with the new PO path.
        "Checking Blob files for validity; Path to PO = LAST; PROCESSING COMPLETE",
        "- Checking directory D",
        record("LOST.000"),
        "    Return from FlmAdopt = 0xC067",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 2 BLOB Files",
                     "D\\A.000 file copied to B|OLD\\OFFILES|0|30 Dec 1899|Unknown|Already Copied",
                     "D\\C.000|NEW\\OFFILES|0|30 Dec 1899|Unknown|0xC067",
                     kContinue,
                     kCompleted,
                 }));
    EXPECT_EQ(s.parser.areaPath(), "NEW\\OFFILES");
    EXPECT_EQ(s.parser.postOfficePath(), "LAST; PROCESSING COMPLETE");
}

TEST(StructureParser, SizesAndTimesComeFromDiskAndDuplicatesMergeWithinASection)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sub = dir.filePath("po/offiles/fd3/sub7");
    ASSERT_TRUE(QDir().mkpath(sub + "/dir.000"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("po/offiles/fd4/sub7")));
    writeFile(sub + "/abcdef01.000", 5, QDateTime(QDate(2003, 10, 14), QTime(10, 22, 15, 500)));
    writeFile(sub + "/midnight.000", 3, QDateTime(QDate(2004, 1, 2), QTime(0, 0, 1)));
    writeFile(sub + "/big.000", 3LL << 30, QDateTime(QDate(2005, 6, 7), QTime(8, 9, 10)));
    writeFile(sub + "/recent.000", 7, QDateTime(QDate(2006, 1, 1), QTime(12, 0, 0)));
    writeFile(dir.filePath("po/offiles/fd4/sub7/dup.000"), 9, QDateTime(QDate(2007, 2, 3), QTime(4, 5, 6)));
    const std::string dirTime = DateTimeText(QLocale::c()).text(dosLocalTime(QFileInfo(sub + "/dir.000").lastModified()));
    const std::string root = backslashed(dir.path());

    StructureScan s;
    const auto t = s.scan(crlf({
        "Path to PO = " + root + "\\PO",
        "- checking area " + root + "\\PO\\OFFILES\\FD3",
        "- Checking directory SUB7",
        record("ABCDEF01.000"),
        "    file copied to elsewhere",
        record("MIDNIGHT.000"),
        "    Return from WpioDirCreate = 0x8209",
        record("BIG.000"),
        "    Return from FlmAdopt = 0xC067",
        record("DIR.000"),
        "    file copied to elsewhere",
        record("RECENT.000"),
        unknownFile("RECENT.000  ", "1 bytes, 01/01/1990"),
        record("GONE0001.000"),
        unknownFile("GONE0001.000", "99 bytes, 01/01/1990 10:00"),
        record("DUP.000"),
        "    file copied to elsewhere",
        // Found again: the lookup uses the current area, the row keeps its own.
        "- checking area " + root + "\\PO\\OFFILES\\FD4",
        "- Checking directory SUB7",
        record("DUP.000"),
        "    Return from FlmAdopt = 0xC067",
        // Captions match exactly: another letter case is another row.
        record("dup.000"),
        "    Return from FlmAdopt = 0xC067",
        "PROCESSING COMPLETE",
        // After the pause the list is empty: the caption is listed again.
        "Checking Blob files for validity",
        "- Checking directory SUB7",
        record("DUP.000"),
        "    file copied to elsewhere",
    }));
    const std::string fd3 = "|" + root + "\\PO\\OFFILES\\FD3|";
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 8 BLOB Files",
                     "SUB7\\ABCDEF01.000" + fd3 + "5|14 Oct 2003 10:22:14|Unknown|Already Copied",
                     "SUB7\\BIG.000" + fd3 + "3221225472|7 Jun 2005 08:09:10|Unknown|0xC067",
                     "SUB7\\DIR.000" + fd3 + "0|" + dirTime + "|Unknown|Already Copied",
                     "SUB7\\DUP.000" + fd3 + "9|3 Feb 2007 04:05:06|Unknown|0xC067",
                     "SUB7\\dup.000|" + root + "\\PO\\OFFILES\\FD4|9|3 Feb 2007 04:05:06|Unknown|0xC067",
                     "SUB7\\GONE0001.000" + fd3 + "99|01/01/1990 10:00|Unknown|Deleted",
                     "SUB7\\MIDNIGHT.000" + fd3 + "3|2 Jan 2004|Unknown|0x8209",
                     "SUB7\\RECENT.000" + fd3 + "7|1 Jan 2006 12:00:00|Unknown|Too Recent",
                     kContinue,
                     "SUB7\\DUP.000|" + root + "\\PO\\OFFILES|0|30 Dec 1899|Unknown|Already Copied",
                     kCompleted,
                 }));
}

TEST(StructureParser, MidSectionPauseComesWithTheFourThousandthResult)
{
    const std::string breath = "# Structure Check Section Paused for Breath - 4000 BLOB Files";
    const std::string end = "PROCESSING COMPLETE\r\n";
    for (int n : {3999, 4000, 4001}) {
        StructureScan s;
        const auto t = s.scan(recordsLog(n) + end);
        std::vector<std::string> expected = {kStart};
        if (n >= 4000)
            expected.insert(expected.end(), {breath, kContinue});
        if (n != 4000)
            expected.insert(expected.end(), {"# Structure Check Section Completed - " + std::to_string(n % 4000) +
                                                 " BLOB Files", kContinue});
        expected.push_back(kCompleted);
        EXPECT_EQ(statuses(t), expected) << n;
        if (n >= 4000) {
            EXPECT_EQ(s.run.host.lineCounts.front(), 2 + 2 * 4000) << "right after the 4000th result line";
        }
    }

    // A record left open holds the pause back until a later result line.
    StructureScan s;
    const auto t = s.scan(recordsLog(3999) + crlf({
        record("F4000.000"),
        "Checking Blob files for validity",
        "- Checking directory D",
        record("F4001.000"),
        "    Return from FlmAdopt = 0xC067",
        record("F0001.000"),
        "    Return from FlmAdopt = 0xC067",
    }));
    EXPECT_EQ(statuses(t), (std::vector<std::string>{kStart, "# Structure Check Section Paused for Breath - 4001 BLOB Files",
                                                     kContinue, kCompleted}));
    EXPECT_EQ(s.run.host.lineCounts.front(), 2 + 2 * 3999 + 5);
    EXPECT_EQ(t[4001], "D\\F4000.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD0|Unknown|Unknown|Unknown|Unknown");
    EXPECT_EQ(t[t.size() - 2], "D\\F0001.000|\\OFFILES|0|30 Dec 1899|Unknown|0xC067") << "listed again after the pause";
}
