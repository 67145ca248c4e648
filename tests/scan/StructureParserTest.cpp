#include "lists/BlobCompare.h"
#include "scan/ScanKind.h"
#include "scan/StructureParser.h"
#include "support/ScanRecorder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace bw;
using namespace bw::test;

namespace {

constexpr const char* kStart = "# Started Parsing Structure Check Log File";
constexpr const char* kContinue = "# Continuing Parsing Structure Check Log File";
constexpr const char* kCompleted = "# Completed Parsing Log File";

// Dates are written under the C locale here, whatever the machine's.
struct StructureScan {
    ScanRun run{blobCompare};
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

std::vector<std::string> statuses(const std::vector<std::string>& transcript)
{
    std::vector<std::string> out;
    std::copy_if(transcript.begin(), transcript.end(), std::back_inserter(out),
                 [](const std::string& l) { return l.rfind("# ", 0) == 0; });
    return out;
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

// A section of n records, each with its result line.
std::string recordsLog(int n)
{
    std::string log = crlf({"- checking area \\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD0", "- Checking directory D"});
    char name[32];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(name, sizeof name, "F%04d.000", i);
        log += crlf({record(name), "    Return from FlmAdopt = 0xC067"});
    }
    return log + crlf({"PROCESSING COMPLETE"});
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
        // No directory named since the area line: ignored.
        record("IGNORED.000"),
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
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 5 BLOB Files",
                     "0A\\4F2A1B00.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES|0|30 Dec 1899|Unknown|Already Copied",
                     "SUB7\\ABCDEF01.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3|1536|10/14/2003 10:22:14|Unknown|Deleted",
                     "SUB7\\ABCDEF02.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3|0|30 Dec 1899|Unknown|0x8209",
                     "SUB7\\ABCDEF03.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3|0|30 Dec 1899|Unknown|0xC067",
                     "SUB7\\ABCDEF04.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3||nocomma|Unknown|Deleted",
                     kContinue,
                     kCompleted,
                 }));
    EXPECT_EQ(s.parser.postOfficePath(), "\\\\NOSERVER-BW\\VOL\\PO");
    EXPECT_EQ(s.parser.sectionState(), -1);
}

TEST(StructureParser, AreaPathForms)
{
    const std::string expected = "\\\\SERVER\\VOLUME\\PO\\OFFILES\\FD1";
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:\\PO\\OFFILES\\FD1"), expected);
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER\\VOLUME:\\PO\\OFFILES\\FD1"), expected);
    // Without a separator after the volume the path still starts at its root.
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:PO\\OFFILES\\FD1"), expected);
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOLUME:"), "\\\\SERVER\\VOLUME");
    EXPECT_EQ(StructureParser::areaPathFrom("SERVER/VOL:/PO/OFFILES"), "\\\\SERVER\\VOL/PO/OFFILES");
    // No ":": taken as it is.
    EXPECT_EQ(StructureParser::areaPathFrom("\\\\SERVER\\VOL\\PO\\OFFILES\\FD1"), "\\\\SERVER\\VOL\\PO\\OFFILES\\FD1");
    EXPECT_EQ(StructureParser::areaPathFrom("samples\\po\\OFFILES\\FD0"), "samples\\po\\OFFILES\\FD0");
    EXPECT_EQ(StructureParser::areaPathFrom(""), "");
    // A ":" with no separator before it: the server part holds the volume.
    EXPECT_EQ(StructureParser::areaPathFrom("VOLUME:\\PO"), "\\\\VOLUME:\\PO");
    EXPECT_EQ(StructureParser::areaPathFrom("VOL:PO"), "\\\\\\VOL\\PO");
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
        // Outside a section nothing applies, and the end marker is ignored.
        "    file copied to X",
        "PROCESSING COMPLETE",
        record("CUT5.000"),
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
    EXPECT_EQ(s.run.pauses, 1);
    EXPECT_TRUE(s.parser.recordOpen());
    EXPECT_EQ(s.parser.sectionState(), 2);
    EXPECT_TRUE(s.run.host.enabled[ScanControl::Print]) << "an unclosed section leaves its rows";
    EXPECT_TRUE(s.run.host.enabled[ScanControl::Action]);
}

TEST(StructureParser, RulesRunInOrderOnOneLineAndGoOnAfterAPause)
{
    StructureScan s;
    const auto t = s.scan(crlf({
        "Path to PO = OLD",
        // Rule 1 runs before rule 2: this area still comes from OLD.
        "Checking Blob files for validity; Path to PO = NEW",
        "- Checking directory D",
        // The record's state lets the result marker on the same line complete it.
        "Error 52- Blob file with missing trailer: A.000 file copied to B",
        "Checking Blob files for validity",
        "- Checking directory D",
        record("C.000"),
        "    Return from FlmAdopt = 0xC067",
        // The section ends mid-line; after Continue the line goes on with the
        // rules after the end marker, so the check started on it is not redone.
        "Checking Blob files for validity ... PROCESSING COMPLETE",
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
    EXPECT_EQ(s.parser.sectionState(), -1);
}

TEST(StructureParser, SizesAndTimesComeFromDiskThroughLetterCaseAndBackslashes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sub = dir.filePath("po/offiles/fd3/sub7");
    ASSERT_TRUE(QDir().mkpath(sub + "/dir.000"));
    const QDateTime oddSecond(QDate(2003, 10, 14), QTime(10, 22, 15, 500));
    writeFile(sub + "/abcdef01.000", 5, oddSecond);
    writeFile(sub + "/midnight.000", 3, QDateTime(QDate(2004, 1, 2), QTime(0, 0, 1)));
    const qint64 big = 3LL * 1024 * 1024 * 1024;
    writeFile(sub + "/big.000", big, QDateTime(QDate(2005, 6, 7), QTime(8, 9, 10)));
    writeFile(sub + "/recent.000", 7, QDateTime(QDate(2006, 1, 1), QTime(12, 0, 0)));
    const DateTimeText dates{QLocale::c()};
    const std::string dirTime = dates.text(dosLocalTime(QFileInfo(sub + "/dir.000").lastModified()));

    StructureScan s;
    const auto t = s.scan(crlf({
        "Path to PO = " + backslashed(dir.path()) + "\\PO",
        "Checking Blob files for validity",
        "- Checking directory FD3\\SUB7",
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
        record("GONE0002.000"),
        "    file copied to elsewhere",
        "PROCESSING COMPLETE",
    }));
    const std::string area = backslashed(dir.path()) + "\\PO\\OFFILES";
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 7 BLOB Files",
                     "FD3\\SUB7\\ABCDEF01.000|" + area + "|5|14 Oct 2003 10:22:14|Unknown|Already Copied",
                     "FD3\\SUB7\\BIG.000|" + area + "|3221225472|7 Jun 2005 08:09:10|Unknown|0xC067",
                     "FD3\\SUB7\\DIR.000|" + area + "|0|" + dirTime + "|Unknown|Already Copied",
                     "FD3\\SUB7\\GONE0001.000|" + area + "|99|01/01/1990 10:00|Unknown|Deleted",
                     "FD3\\SUB7\\GONE0002.000|" + area + "|0|30 Dec 1899|Unknown|Already Copied",
                     "FD3\\SUB7\\MIDNIGHT.000|" + area + "|3|2 Jan 2004|Unknown|0x8209",
                     "FD3\\SUB7\\RECENT.000|" + area + "|7|1 Jan 2006 12:00:00|Unknown|Too Recent",
                     kContinue,
                     kCompleted,
                 }));
}

TEST(StructureParser, DuplicatesMergeWithinASectionOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("area2/d")));
    writeFile(dir.filePath("area2/d/dup.000"), 5, QDateTime(QDate(2003, 10, 14), QTime(10, 22, 14)));
    const std::string root = backslashed(dir.path());

    StructureScan s;
    const auto t = s.scan(crlf({
        "- checking area " + root + "\\AREA1",
        "- Checking directory D",
        record("DUP.000"),
        "    Return from WpioDirCreate = 0x8209",
        record("ZZZ.000"),
        "    Return from WpioDirCreate = 0x8209",
        "- checking area " + root + "\\AREA2",
        "- Checking directory D",
        // Found again: the lookup uses the current area, the row keeps its own.
        record("DUP.000"),
        "    file copied to elsewhere",
        // Captions match exactly: another letter case is another row.
        "- Checking directory d",
        record("dup.000"),
        "    file copied to elsewhere",
        "PROCESSING COMPLETE",
        "Checking Blob files for validity",
        "- Checking directory D",
        record("DUP.000"),
        "    Return from FlmAdopt = 0xC067",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     kStart,
                     "# Structure Check Section Completed - 3 BLOB Files",
                     "D\\DUP.000|" + root + "\\AREA1|5|14 Oct 2003 10:22:14|Unknown|Already Copied",
                     "d\\dup.000|" + root + "\\AREA2|5|14 Oct 2003 10:22:14|Unknown|Already Copied",
                     "D\\ZZZ.000|" + root + "\\AREA1|0|30 Dec 1899|Unknown|0x8209",
                     kContinue,
                     "# Structure Check Section Completed - 1 BLOB Files",
                     "D\\DUP.000|\\OFFILES|0|30 Dec 1899|Unknown|0xC067",
                     kContinue,
                     kCompleted,
                 }));
}

TEST(StructureParser, MidSectionPauseComesWithTheFourThousandthResult)
{
    {
        StructureScan s;
        EXPECT_EQ(statuses(s.scan(recordsLog(3999))),
                  (std::vector<std::string>{kStart, "# Structure Check Section Completed - 3999 BLOB Files", kContinue,
                                            kCompleted}));
    }
    {
        StructureScan s;
        const auto t = s.scan(recordsLog(4000));
        EXPECT_EQ(statuses(t), (std::vector<std::string>{kStart, "# Structure Check Section Paused for Breath - 4000 BLOB Files",
                                                         kContinue, kCompleted}))
            << "the section end finds the list empty";
        ASSERT_FALSE(s.run.host.lineCounts.empty());
        EXPECT_EQ(s.run.host.lineCounts.front(), 2 + 2 * 4000) << "right after the 4000th result line";
        EXPECT_EQ(t.size(), 4u + 4000u);
    }
    {
        StructureScan s;
        const auto t = s.scan(recordsLog(4001));
        EXPECT_EQ(statuses(t), (std::vector<std::string>{kStart, "# Structure Check Section Paused for Breath - 4000 BLOB Files",
                                                         kContinue, "# Structure Check Section Completed - 1 BLOB Files",
                                                         kContinue, kCompleted}));
        EXPECT_EQ(t[t.size() - 3], "D\\F4001.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD0|0|30 Dec 1899|Unknown|0xC067");
    }
}

TEST(StructureParser, AnOpenRecordHoldsTheMidSectionPauseBack)
{
    std::string log = recordsLog(3999);
    log.resize(log.size() - std::string("PROCESSING COMPLETE\r\n").size());
    log += crlf({
        record("F4000.000"),
        // Interrupted: the record stays open through the next check.
        "Checking Blob files for validity",
        "- Checking directory D",
        "noise",
        record("F4001.000"),
        "    Return from FlmAdopt = 0xC067",
        // Seen before the pause, listed again after it.
        record("F0001.000"),
        "    Return from FlmAdopt = 0xC067",
    });
    StructureScan s;
    const auto t = s.scan(log);
    EXPECT_EQ(statuses(t), (std::vector<std::string>{kStart, "# Structure Check Section Paused for Breath - 4001 BLOB Files",
                                                     kContinue, kCompleted}));
    EXPECT_EQ(s.run.host.lineCounts.front(), 2 + 2 * 3999 + 6);
    EXPECT_NE(std::find(t.begin(), t.end(), "D\\F4000.000|\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD0|Unknown|Unknown|Unknown|Unknown"),
              t.end());
    EXPECT_EQ(t[t.size() - 2], "D\\F0001.000|\\OFFILES|0|30 Dec 1899|Unknown|0xC067");
    EXPECT_FALSE(s.parser.recordOpen());
}

TEST(StructureParser, RegisteredAsTheStructureKind)
{
    const auto kind = scanKindFromName("structure");
    ASSERT_TRUE(kind.has_value());
    EXPECT_EQ(*kind, ScanKind::Structure);
    const auto parser = makeParser(ScanKind::Structure);
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->profile().startStatus, "Started Parsing Structure Check Log File");
    EXPECT_EQ(parser->profile().sectionFoundStatus, "");
    EXPECT_EQ(parser->profile().rowCap, 4000);
    EXPECT_EQ(compareRuleFor(ScanKind::Structure), static_cast<CompareRule>(blobCompare));
}
