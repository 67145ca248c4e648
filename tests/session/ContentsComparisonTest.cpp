#include "session/ContentsComparison.h"
#include "support/ScanRecorder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

std::string user(const char* name, const char* fid, const char* bytes)
{
    std::string lines = crlf({std::string("Checking user = ") + name + " (" + fid + ") - 1 KB"});
    if (bytes)
        lines += crlf({std::string(bytes) + " bytes in use by user"});
    return lines;
}

std::string section(const std::string& users)
{
    return crlf({"CONTENTS VERIFICATION"}) + users + crlf({"PROCESSING COMPLETE"});
}

std::vector<std::string> rows(const ContentsComparison::Users& users)
{
    std::vector<std::string> out;
    for (const auto& u : users) {
        std::string line;
        for (const std::string& v : ContentsComparison::values(u))
            line += v + "|";
        out.push_back(line);
    }
    return out;
}

ContentsComparison::Run read(const TempLog& log)
{
    ContentsComparison::Run run;
    QString error;
    EXPECT_TRUE(ContentsComparison::readRun(QFile::encodeName(log.path()), run, error)) << error.toStdString();
    return run;
}

} // namespace

TEST(ContentsComparison, UsersInBothNewAndGoneByNameAndFidTheLastRowOfALogCounting)
{
    // ADA twice in the old log (the second section's row counts); CAL moved to
    // a new FID, so two keys; DEE has no total in the new log.
    TempLog before(section(user("ADA", "a1a", "100") + user("BOB", "b1b", "50") + user("CAL", "c1c", "10")) +
                   section(user("ADA", "a1a", "200") + user("DEE", "d1d", "40") + user("EVE", "e1e", "0") +
                           user("GUS", "g1g", "10")));
    TempLog after(section(user("ADA", "a1a", "260") + user("BOB", "b1b", "20") + user("CAL", "c2c", "10") +
                          user("GUS", "g1g", "15") + user("EVE", "e1e", "5") + user("FAY", "f1f", "7") +
                          user("DEE", "d1d", nullptr)));
    const auto old = read(before);
    auto now = read(after);
    EXPECT_EQ(old.total, 200 + 50 + 10 + 40 + 0 + 10);
    const auto users = ContentsComparison::compare(old, std::move(now));
    EXPECT_EQ(rows(users), (std::vector<std::string>{
                               "ADA|a1a|200|260|60|30.0|both|",
                               "EVE|e1e|0|5|5||both|",
                               "GUS|g1g|10|15|5|50.0|both|",
                               "BOB|b1b|50|20|-30|-60.0|both|",
                               "CAL|c1c|10||||gone|",
                               "CAL|c2c||10|||new|",
                               "DEE|d1d|40||||both|",
                               "FAY|f1f||7|||new|",
                           }))
        << "growth first, equal changes by name; rows without a change after, by name then FID";
    ContentsComparison::Users byName = users;
    ContentsComparison::sortUsers(byName, ContentsComparison::Order::Name, false);
    EXPECT_EQ(rows(byName)[2], "CAL|c1c|10||||gone|");
    EXPECT_EQ(rows(byName)[3], "CAL|c2c||10|||new|");
    ContentsComparison::sortUsers(byName, ContentsComparison::Order::Total, true);
    EXPECT_EQ(rows(byName).front(), "ADA|a1a|200|260|60|30.0|both|");
}

TEST(ContentsComparison, NamesEqualWhenFoldedByCaseThenFidAndARepeatedUserOnceWithItsLastRow)
{
    // Names that share their first letters or differ only in case, the
    // longest the parser keeps, one name under two FIDs; AB a1a repeated in
    // one section, ab a1a in the next, AB A1A in the new log.
    TempLog before(section(user("AB", "a1a", "10") + user("ab", "a1a", "20") + user("Ab", "a1a", "30") +
                           user("aB", "a1a", "40") + user("ABC", "a1a", "50") + user("A", "a1a", "60") +
                           user("AB", "A1A", "70") + user("AB", "a1a", "15")) +
                   section(user("ab", "a1a", "25")));
    TempLog after(section(user("AB", "a1a", "16") + user("Ab", "a1a", "30") + user("ABC", "a1a", "51") +
                          user("ABCDEFGHIJKLMN", "a1a", "1") + user("abcdefghijklmn", "a1a", "2") +
                          user("AB", "A1A", "70") + user("AB", "A1A", "71")));
    const auto old = read(before);
    auto now = read(after);
    EXPECT_EQ(old.total, 60 + 70 + 15 + 30 + 40 + 25 + 50);
    EXPECT_EQ(now.total, 16 + 30 + 51 + 1 + 2 + 71);
    EXPECT_EQ(rows(ContentsComparison::compare(old, std::move(now), ContentsComparison::Order::Name)),
              (std::vector<std::string>{
                  "A|a1a|60||||gone|",
                  "AB|A1A|70|71|1|1.4|both|",
                  "AB|a1a|15|16|1|6.7|both|",
                  "Ab|a1a|30|30|0|0.0|both|",
                  "aB|a1a|40||||gone|",
                  "ab|a1a|25||||gone|",
                  "ABC|a1a|50|51|1|2.0|both|",
                  "ABCDEFGHIJKLMN|a1a||1|||new|",
                  "abcdefghijklmn|a1a||2|||new|",
              }));
}

TEST(ContentsComparison, ALogThatCannotBeReadGivesTheScansReason)
{
    ContentsComparison::Run run;
    QString error;
    EXPECT_FALSE(ContentsComparison::readRun("/nonexistent/gone.log", run, error));
    EXPECT_TRUE(error.contains(QStringLiteral("No such file or directory"))) << error.toStdString();
}
