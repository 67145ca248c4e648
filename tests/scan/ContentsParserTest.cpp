#include "lists/ContentsCompare.h"
#include "scan/ContentsParser.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

std::vector<std::string> scanContents(const std::string& text, int* pauses = nullptr)
{
    return scanWith<ContentsParser>(contentsCompare, text, pauses);
}

} // namespace

TEST(ContentsParser, GroupWise5SectionFillsEveryColumn)
{
    int pauses = 0;
    const auto t = scanContents(crlf({
        "GWCheck run on the post office",
        "CONTENTS VERIFICATION",
        "Checking user = JSMITH (abc) [Sales] - 1234 KB, 12/10/03 13:45:10 more",
        "  noise line",
        "   User stats: 12 InBox, 3 OutBox, 4 WasteBasket, 99 total",
        "   500 bytes in use by user JSMITH",
        "Checking user = ANNA LEE (k3f) - 77 KB, 01/02/04 08:00",
        "   Size Limit Exceeded for ANNA  Current size: 500 KB limit 400",
        "PROCESSING COMPLETE",
    }), &pauses);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(t, (std::vector<std::string>{
                     "# Started Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 2 Users",
                     "ANNA LEE|k3f|77|N/A|N/A|N/A| 500 |S|N/A|N/A||01/02/04 08:00",
                     "JSMITH|abc|1234|12|3|4|500|Z|N/A|N/A|Sales|12/10/03 13:45",
                     "# Continuing Parsing Content Log File",
                     "# Completed Parsing Log File",
                 }));
}

TEST(ContentsParser, HeaderCornerCases)
{
    const auto t = scanContents(crlf({
        // Outside a section a header is accepted too.
        "Checking user = AVERYLONGUSERNAMEX (a1b) - 5 KB, 12/10/03 13:45",
        "1 bytes in use by user",
        // No "(": empty name, the file ID from the trimmed text after "= ".
        "Checking user = nobrackets - 17 KB",
        "2 bytes in use by user",
        // No number before the first blank: size "0".
        "Checking user = BOB (b0b) - many KB, x",
        // A second header while BOB's record is open is ignored.
        "Checking user = CAROL (c4r) - 9 KB",
        "   User stats: 1 InBox, 2 OutBox, 3 WasteBasket",
        "3 bytes in use by user",
        // "]" before "[": no department; "(" at 14 cuts the name there; a size
        // beyond 32 bits is no number; without "," the date starts at 2.
        "Checking user = THIRTEENCHARS(zzz] [x - 2147483648 KB",
        "4 bytes in use by user",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     "# Started Parsing Content Log File",
                     "|obr|17|N/A|N/A|N/A|2|Z|N/A|N/A||7 KB",
                     "AVERYLONGUSERN|a1b|5|N/A|N/A|N/A|1|Z|N/A|N/A||12/10/03 13:45",
                     "BOB|b0b|0|1|2|3|3|Z|N/A|N/A||x",
                     "THIRTEENCHARS|zzz|0|N/A|N/A|N/A|4|Z|N/A|N/A||147483648 KB",
                     "# Completed Parsing Log File",
                 }));
}

TEST(ContentsParser, RepeatedUsersMergeWithinASection)
{
    const auto t = scanContents(crlf({
        "CONTENTS VERIFICATION",
        "Checking user = JSMITH (abc) [First] - 10 KB, d1",
        "   User stats: 1 InBox, 1 OutBox, 1 WasteBasket",
        "10 bytes in use by user",
        "Checking user = JSMITH (abd) [Other] - 20 KB, d2",
        "20 bytes in use by user",
        "Checking user = jsmith (abc) [Lower] - 30 KB, d3",
        "30 bytes in use by user",
        "Checking user = JSMITH (abc) [Second] - 40 KB, d4",
        "40 bytes in use by user",
        "PROCESSING COMPLETE",
        "CONTENTS VERIFICATION",
        "Checking user = JSMITH (abc) [Next] - 50 KB, d5",
        "50 bytes in use by user",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     "# Started Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 3 Users",
                     // Equal names under folding: the merged row was placed again last.
                     "JSMITH|abd|20|N/A|N/A|N/A|20|Z|N/A|N/A|Other|d2",
                     "jsmith|abc|30|N/A|N/A|N/A|30|Z|N/A|N/A|Lower|d3",
                     "JSMITH|abc|40|1|1|1|40|Z|N/A|N/A|First|d4",
                     "# Continuing Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 1 Users",
                     "JSMITH|abc|50|N/A|N/A|N/A|50|Z|N/A|N/A|Next|d5",
                     "# Continuing Parsing Content Log File",
                     "# Completed Parsing Log File",
                 }));
}

TEST(ContentsParser, LimitsAndFlags)
{
    const auto t = scanContents(crlf({
        "CONTENTS VERIFICATION",
        "Checking user = A (aaa) - 1 KB",
        "  Disk space management: Size Limit - 0KB Threshold - 80%",
        "  1 bytes in use by user",
        "Checking user = B (bbb) - 1 KB",
        "  Disk space management: Size Limit - 2048KB Threshold - 90%",
        "  2 bytes in use by user",
        "Checking user = C (ccc) - 1 KB",
        "  Disk space management: Size Limit - 2048 KB Threshold - 90%",
        "  3 bytes in use by user",
        "Checking user = D (ddd) - 1 KB",
        "  Disk space management: Size Limit - 4096KB Threshold - 75%",
        "  Threshold limit exceeded  Current size:3100KB",
        "Checking user = E (eee) - 1 KB",
        "  Disk space management: Size Limit - abcKB Threshold - 1%",
        "  Size Limit Exceeded, no size given",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     "# Started Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 5 Users",
                     "A|aaa|1|N/A|N/A|N/A|1|Z|N/A|N/A||KB",
                     "B|bbb|1|N/A|N/A|N/A|2|U|2048|90%||KB",
                     "C|ccc|1|N/A|N/A|N/A|3|Z|N/A|N/A||KB",
                     "D|ddd|1|N/A|N/A|N/A|3100|T|4096|75%||KB",
                     "E|eee|1|N/A|N/A|N/A||S|N/A|N/A||KB",
                     "# Continuing Parsing Content Log File",
                     "# Completed Parsing Log File",
                 }));
}

TEST(ContentsParser, JobLogsPauseAtTheEndOfTheJobOnly)
{
    int pauses = 0;
    const auto t = scanContents(crlf({
        "===== BEGIN - JOB LOG =====",
        "CONTENTS VERIFICATION",
        "Checking user = JSMITH (abc) 1234 KB - so - many - dashes, 12/10/03 13:45",
        "   User stats: 1 InBox, 2 OutBox, 3 WasteBasket",
        "PROCESSING COMPLETE",
        "Checking user = ANNA (k3f) 88 KB",
        "  88 bytes in use by user",
        "PROCESSING COMPLETE",
        "END - JOB LOG",
        // Back to GroupWise 5: a banner without version 6 or 7.
        "Novell GroupWise - GWCHECK Version 5.5",
        "CONTENTS VERIFICATION",
        "Checking user = BOB (b0b) - 7 KB",
        "7 bytes in use by user",
        "END - JOB LOG",
        "PROCESSING COMPLETE",
        "Novell GroupWise - GWCHECK Version 7.0.1",
        "CONTENTS VERIFICATION",
        "Checking user = CAROL (c4r) 9 KB",
        "PROCESSING COMPLETE",
    }), &pauses);
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(t, (std::vector<std::string>{
                     "# Started Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 2 Users",
                     "ANNA|k3f|88|N/A|N/A|N/A|88|Z|N/A|N/A||8 KB",
                     "JSMITH|abc|1234|1|2|3|N/A|Z|N/A|N/A||12/10/03 13:45",
                     "# Continuing Parsing Content Log File",
                     "# Content Verification Section Found",
                     "# Content Verification Section Completed - 1 Users",
                     "BOB|b0b|7|N/A|N/A|N/A|7|Z|N/A|N/A||KB",
                     "# Continuing Parsing Content Log File",
                     "# Content Verification Section Found",
                     "CAROL|c4r|9|N/A|N/A|N/A|N/A|Z|N/A|N/A||KB",
                     "# Completed Parsing Log File",
                 }));
}

TEST(ContentsParser, LfAndCrLfLogsGiveTheSameRowsAndTaskLogsSwitch)
{
    const std::string lf =
        "===== TASK LOG - x\nCONTENTS VERIFICATION\nChecking user = A (aaa) 5 KB\n5 bytes in use by user\n"
        "PROCESSING COMPLETE\nEND - JOB LOG\n";
    std::string crlfText;
    for (char c : lf)
        crlfText += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto a = scanContents(lf);
    EXPECT_EQ(a, scanContents(crlfText));
    EXPECT_EQ(a[3], "A|aaa|5|N/A|N/A|N/A|5|Z|N/A|N/A||KB");
    // A section without rows ends without a pause or status.
    EXPECT_EQ(scanContents("CONTENTS VERIFICATION\nPROCESSING COMPLETE\n"),
              (std::vector<std::string>{"# Started Parsing Content Log File", "# Content Verification Section Found",
                                        "# Completed Parsing Log File"}));
    // A marker on an unterminated last line does nothing.
    EXPECT_EQ(scanContents("CONTENTS VERIFICATION"),
              (std::vector<std::string>{"# Started Parsing Content Log File", "# Completed Parsing Log File"}));
}

namespace {

// Hands the parser its lines one by one, as no reader cut them ahead.
class LineByLine : public ScanContext {
public:
    SortState sort;
    RowStore store{contentsCompare, sort, nullptr, lookupColumnFor<ContentsParser>()};
    RecordingHost listed{store};

    RowStore& rows() override { return store; }
    void showStatus(std::string_view) override {}
    bool sectionCompleted() override
    {
        store.endUpdate();
        return !store.empty();
    }

    void takeRows()
    {
        store.settle();
        listed.writeRows();
        store.clear();
    }

    void feed(ContentsParser& parser, std::string_view text)
    {
        for (std::size_t at = 0, lf; (lf = text.find('\n', at)) != std::string_view::npos; at = lf + 1) {
            const std::string_view line = text.substr(at, lf + 1 - at);
            for (LineResume from = LineResume::Start; (from = parser.lineStep(line, from, *this)) != LineResume::Done;)
                takeRows();
        }
        takeRows();
    }
};

} // namespace

TEST(ContentsParser, LinesCutAheadByTheReaderGiveTheRowsOfLinesCutInTheirTurn)
{
    const std::string text = crlf({
        "CONTENTS VERIFICATION",
        "Checking user = JSMITH (abc) [Sales] - 1234 KB, 12/10/03 13:45:10 more",
        "   User stats: 12 InBox, 3 OutBox, 4 WasteBasket, 99 total",
        "   500 bytes in use by user JSMITH",
        // A header and the user's stats on one line: both are cut, the
        // counts from the twelfth character of the line on.
        "Checking user = ANNA (k3f) [Ops] - 77 KB, 01/02/04   User stats: 5 InBox, 6 OutBox, 7 WasteBasket",
        "   Size Limit Exceeded for ANNA  Current size: 500 KB limit 400",
        "Checking user = THIRTEENCHARS(zzz] [x - 2147483648 KB",
        "   User stats: x InBox",
        "4 bytes in use by user",
        "Checking user = JSMITH (abc) [Other] - 99 KB, 12/11/03 10:00",
        "1 bytes in use by user",
        "PROCESSING COMPLETE",
        // The job log's headers have no dash before the size.
        "===== BEGIN - JOB LOG =====",
        "CONTENTS VERIFICATION",
        "Checking user = BOB (b0b) 88 KB - so - many, 12/10/03 13:45",
        "   User stats: 1 InBox, 2 OutBox, 3 WasteBasket",
        "PROCESSING COMPLETE",
        "END - JOB LOG",
    });
    std::vector<std::string> scanned;
    for (const std::string& line : scanContents(text)) {
        if (line.rfind("# ", 0) != 0)
            scanned.push_back(line);
    }
    LineByLine direct;
    ContentsParser parser;
    direct.feed(parser, text);
    EXPECT_EQ(scanned, direct.listed.transcript);
    EXPECT_EQ(scanned, (std::vector<std::string>{
                           "ANNA|k3f|77|er|6|7| 500 |S|N/A|N/A|Ops|01/02/04   Use",
                           "JSMITH|abc|99|12|3|4|1|Z|N/A|N/A|Sales|12/11/03 10:00",
                           "THIRTEENCHARS|zzz|0|x|||4|Z|N/A|N/A||147483648 KB",
                           "BOB|b0b|88|1|2|3|N/A|Z|N/A|N/A||12/10/03 13:45",
                       }));
}
