#include "cli/CliRun.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace bw;
using namespace bw::test;

namespace {

const std::string kLog = crlf({
    "CONTENTS VERIFICATION",
    "Checking user = BOB (b0b) - 10 KB, 12/10/03 13:45",
    "   User stats: 5 InBox, 1 OutBox, 0 WasteBasket",
    "10 bytes in use by user",
    "Checking user = AL (a1a) - 9 KB, 12/10/03 13:46",
    "   User stats: 40 InBox, 2 OutBox, 0 WasteBasket",
    "9 bytes in use by user",
    "PROCESSING COMPLETE",
    "CONTENTS VERIFICATION",
    "Checking user = CY (c1c) - 3 KB",
    "   User stats: 7 InBox, 0 OutBox, 0 WasteBasket",
    "   User stats: 8 InBox, 0 OutBox, 0 WasteBasket",
    "Checking user = DI (d1d) - 4 KB",
    "   User stats: 9 InBox, 0 OutBox, 0 WasteBasket",
    "4 bytes in use by user",
    "PROCESSING COMPLETE",
    "Checking user = ED (e1e) - 1 KB",
    "   User stats: 1 InBox, 0 OutBox, 0 WasteBasket",
    "1 bytes in use by user",
});

} // namespace

TEST(CliScan, WritesStatusesAndRowsAtEveryPauseAndTheEnd)
{
    TempLog log(kLog);
    const auto r = cli({"scan", "contents", log.path().toStdString()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "# Started Parsing Content Log File\n"
              "# Content Verification Section Found\n"
              "# Content Verification Section Completed - 2 Users\n"
              "AL\ta1a\t9\t40\t2\t0\t9\tZ\tN/A\tN/A\t\t12/10/03 13:46\n"
              "BOB\tb0b\t10\t5\t1\t0\t10\tZ\tN/A\tN/A\t\t12/10/03 13:45\n"
              "# Continuing Parsing Content Log File\n"
              "# Content Verification Section Found\n"
              "# Content Verification Section Completed - 1 Users\n"
              // CY has no closing line: later statistics and DI's header are passed
              // over while it is open, and DI's closing line closes it.
              "CY\tc1c\t3\t7\t0\t0\t4\tZ\tN/A\tN/A\t\tKB\n"
              "# Continuing Parsing Content Log File\n"
              "ED\te1e\t1\t1\t0\t0\t1\tZ\tN/A\tN/A\t\tKB\n"
              "# Completed Parsing Log File\n");
}

TEST(CliScan, SortOptionsReorderEachPauseAsAHeaderClickWould)
{
    TempLog log(kLog);
    const auto r = cli({"scan", "contents", log.path().toStdString(), "--sort", "3", "--descending"});
    ASSERT_EQ(r.status, 0);
    const auto al = r.out.find("AL\t");
    const auto bob = r.out.find("BOB\t");
    EXPECT_LT(al, bob) << "InBox 40 before 5";
    const auto asc = cli({"--sort", "3", "scan", "contents", log.path().toStdString()});
    EXPECT_GT(asc.out.find("AL\t"), asc.out.find("BOB\t"));
}

TEST(CliScan, FailuresAndUsageErrors)
{
    TempLog log("");
    const std::string missing = log.dir().toStdString() + "/gone.log";
    const auto r = cli({"scan", "contents", missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brindlewick-cli: " + missing + ": No such file or directory\n");
    EXPECT_EQ(r.out, "# Started Parsing Content Log File\n# Stopped Parsing Log File: No such file or directory\n");

    const auto dir = cli({"scan", "contents", log.dir().toStdString()});
    EXPECT_EQ(dir.status, 1) << dir.out;

    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"scan", "nothing", "x.log"}).status, 2);
    EXPECT_EQ(cli({"scan", "contents", "x.log", "--sort"}).status, 2);
    EXPECT_EQ(cli({"scan", "contents", "x.log", "--sort", "-1"}).status, 2);
    EXPECT_EQ(cli({"scan", "contents", "x.log", "--bogus"}).status, 2);
}

TEST(CliScan, NamesThatAreNotUtf8AreOpenedAsGivenAndShownAsText)
{
    TempLog log("");
    const std::string dir = log.dir().toStdString();
    for (const std::string name : {"bad\xff\xfe.log", "latin\xe9.log"}) {
        const std::string path = dir + "/" + name;
        {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fwrite(kLog.data(), 1, kLog.size(), f);
            std::fclose(f);
        }
        const auto r = cli({"scan", "contents", path});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_NE(r.out.find("BOB\t"), std::string::npos) << name;
        // QTemporaryDir cannot remove a name it cannot decode.
        std::remove(path.c_str());
    }
    // In messages the bytes show as Latin-1 text when they are not UTF-8.
    const auto r = cli({"scan", "contents", dir + "/gone\xe9.log"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brindlewick-cli: " + dir + "/gone\xc3\xa9.log: No such file or directory\n");
}

TEST(CliScan, ALogWithoutASectionOfItsKindSaysSoOnStandardError)
{
    TempLog other(crlf({"----- Expire Statistics -----", "PROCESSING COMPLETE"}));
    const auto r = cli({"scan", "contents", other.path().toStdString()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "brindlewick-cli: no contents section was found in " + other.path().toStdString() + "\n");
    EXPECT_EQ(r.out, "# Started Parsing Content Log File\n# Completed Parsing Log File\n");
    const auto found = cli({"scan", "expire", other.path().toStdString()});
    EXPECT_EQ(found.err, "") << "a section without rows was still found";
}
