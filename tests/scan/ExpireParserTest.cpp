#include "lists/ExpireCompare.h"
#include "scan/ExpireParser.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

std::vector<std::string> scanExpire(const std::string& text, int* pauses = nullptr)
{
    return scanWith<ExpireParser>(expireCompare, text, pauses);
}

const std::string started = "# Started Parsing Expire Statistics Log File";
const std::string found = "# Expire Statistics Section Found";
const std::string continuing = "# Continuing Parsing Expire Statistics Log File";
const std::string completed = "# Completed Parsing Log File";

std::string completedWith(int users)
{
    return "# Expire Statistics Section Completed - " + std::to_string(users) + " Users";
}

} // namespace

TEST(ExpireParser, BothGrammarsReadTheirRecordLines)
{
    int pauses = 0;
    const auto t = scanExpire(crlf({
                                  "Novell GroupWise - GWCheck - Version 5.5.6",
                                  "----- Expire Statistics -----",
                                  "JSMITH (k3f - 7) a b 1024 BYTES",
                                  "User           (FID - Msg DB)   Items  Total size",
                                  "MBROWN         (b1q - 20)   412 items 5242880 bytes in user database",
                                  // A tab is no blank: no " BYTE", no record.
                                  "TABBED (t1 - 2) a b 6\tBYTES",
                                  "PROCESSING COMPLETE",
                                  "===== BEGIN - JOB LOG =====",
                                  "Novell GroupWise - GWCHECK - Version 6.5.7",
                                  "----- Expire Statistics -----",
                                  "User (FID / Msg DB) [Post Office]) #recs size",
                                  "JSMITH (k3f / 7) [a]) b c 2048 BYTES",
                                  "OKAFOR (j5c / 3) [PO3.ACME]) total size 2101248 bytes",
                                  // No "])": no record in the 6/7 grammar.
                                  "ANNA (k9p / 4) a b 4096 BYTES",
                                  "PROCESSING COMPLETE",
                              }),
                              &pauses);
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, completedWith(2),
                     "JSMITH|Userk3f.db|Msg7.db|1024",
                     "MBROWN|Userb1q.db|Msg20.db|5242880",
                     continuing, found, completedWith(2),
                     "JSMITH|Userk3f.db|Msg7.db|2048",
                     "OKAFOR|Userj5c.db|Msg3.db|2101248",
                     continuing, completed,
                 }));
}

TEST(ExpireParser, VersionMarkersSwitchTheGrammar)
{
    const auto t = scanExpire(crlf({
        "Expire Statistics",
        // No version yet: no record admitted.
        "EARLY (e1 - 1) a b 1 BYTES",
        "EARLY6 (e2 / 2) [x]) a b 2 BYTES",
        "Novell GroupWise - GWCheck - Version 6.0.4",
        "SIX (s6 / 6) [x]) a b 6 BYTES",
        // The version 5 form is no record here.
        "FIVE (f5 - 5) a b 5 BYTES",
        // The last matching test wins, whatever the order on the line.
        "Version 7.0.1 upgraded from Version 5.5",
        "SEVEN (s7 / 7) [x]) a b 7 BYTES",
        "SEVENRECS (s8 / 8) [x]) #recs 8 BYTES",
        // Back to version 5: the same line reads with the other grammar.
        "Version 5.5 back",
        "SIX2 (s6 / 6) [x]) a b 6 BYTES",
        // "#recs" excludes only version 6/7 lines.
        "FIVE (f5 - 5) #recs b 5 BYTES",
        "PROCESSING COMPLETE",
        // The version carries over into the next section.
        "Expire Statistics",
        "AGAIN (a1 - 9) a b 9 BYTES",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, completedWith(4),
                     "FIVE|Userf5.db|Msg5.db|5",
                     "SEVEN|Users7.db|Msg7.db|7",
                     "SIX|Users6.db|Msg6.db|6",
                     "SIX2|Users6.db|Msgs6 / 6.db|b",
                     continuing, found, completedWith(1),
                     "AGAIN|Usera1.db|Msg9.db|9",
                     continuing, completed,
                 }));
}

TEST(ExpireParser, UserNamesAndDuplicates)
{
    const auto t = scanExpire(crlf({
        "Version 5.5",
        "Expire Statistics",
        "ABCDEFGHIJKLMNOPQRST (a - 1) x y 10 BYTES",
        // Blank at position 15: the whole 14-character name.
        "FOURTEENCHARSX (b - 2) x y 20 BYTES",
        // Cut to the same 14 characters: a duplicate.
        "ABCDEFGHIJKLMNxyz (c - 3) x y 30 BYTES",
        " (d - 4) x y 40 BYTES",
        "  (e - 5) x y 50 BYTES",
        "jsmith (f - 6) x y 60 BYTES",
        "JSMITH (g - 7) x y 70 BYTES",
        "JSMITH (h - 8) x y 80 BYTES",
        "PROCESSING COMPLETE",
        "Expire Statistics",
        "JSMITH (i - 9) x y 90 BYTES",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, completedWith(5),
                     "|Userd.db|Msg4.db|40",
                     "ABCDEFGHIJKLMN|Usera.db|Msg1.db|10",
                     "FOURTEENCHARSX|Userb.db|Msg2.db|20",
                     // Equal under folding: in the order they came.
                     "jsmith|Userf.db|Msg6.db|60",
                     "JSMITH|Userg.db|Msg7.db|70",
                     continuing, found, completedWith(1),
                     "JSMITH|Useri.db|Msg9.db|90",
                     continuing, completed,
                 }));
}

TEST(ExpireParser, PiecesMissingFromARecordLine)
{
    const auto t = scanExpire(crlf({
                                  "Version 5.5",
                                  "Expire Statistics",
                                  // No separator: the number runs to the ")".
                                  "NOSEP (abc 12) one two 3 BYTES",
                                  // Nothing to read: empty pieces.
                                  "( BYTE",
                                  // Two words are skipped whatever they are.
                                  "TIGHT (t - 4) BYTE 44 bytes used",
                                  // The size word must be followed by a blank.
                                  "LAST (l - 5) a bytes 55",
                                  // A tab is no blank.
                                  "TABSIZE (t - 6) a b 66\t7 BYTES",
                              }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found,
                     // A section the log never closed stays listed.
                     "(|User.db|Msg.db|",
                     "LAST|Userl.db|Msg5.db|",
                     "NOSEP|Userabc.db|Msgabc 12.db|3",
                     "TABSIZE|Usert.db|Msg6.db|66\t7",
                     "TIGHT|Usert.db|Msg4.db|bytes",
                     completed,
                 }));
}

TEST(ExpireParser, SectionEdges)
{
    int pauses = 0;
    const auto t = scanExpire(crlf({
                                  "Version 5.5",
                                  // Outside a section: nothing.
                                  "OUT (o - 1) a b 1 BYTES",
                                  "PROCESSING COMPLETE",
                                  // A section without rows ends without a pause or status.
                                  "Expire Statistics",
                                  "PROCESSING COMPLETE",
                                  // One line opens a section, adds a row and closes it.
                                  "Expire Statistics (a1 - 2) w1 w2 77 BYTES PROCESSING COMPLETE",
                                  "Expire Statistics",
                                  "NEXT (n - 3) a b 5 BYTES",
                                  "PROCESSING COMPLETE",
                              }),
                              &pauses);
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, found, completedWith(1),
                     "Expire|Usera1.db|Msg2.db|77",
                     continuing, found, completedWith(1),
                     "NEXT|Usern.db|Msg3.db|5",
                     continuing, completed,
                 }));
}
