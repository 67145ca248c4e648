#include "cli/Cli.h"
#include "cli/ScanCommand.h"
#include "cli/CliRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace bw;
using namespace bw::test;

namespace {

// Each option with a value it takes, the kind it is for and what it needs
// beside it.
struct Sample {
    std::string kind;
    std::vector<std::string> words;
};

const std::map<std::string, Sample>& samples()
{
    static const std::map<std::string, Sample> table{
        {"--sort", {"contents", {"--sort", "2"}}},
        {"--descending", {"contents", {"--descending"}}},
        {"--export", {"contents", {"--export", "e.txt"}}},
        {"--rescue", {"documents", {"--rescue", "out", "--csv", "i.csv"}}},
        {"--csv", {"documents", {"--csv", "i.csv", "--rescue", "out"}}},
        {"--backdate", {"structure", {"--backdate"}}},
        {"--map", {"structure", {"--map", "\\\\SRV\\MAIL=store"}}},
        {"--report", {"contents", {"--report", "r.pdf"}}},
        {"--print", {"contents", {"--print"}}},
        {"--printer", {"contents", {"--printer", "P", "--print"}}},
        {"--copies", {"contents", {"--copies", "2", "--print"}}},
        {"--pages", {"contents", {"--pages", "1-2", "--print"}}},
        {"--import-prefix", {"documents", {"--import-prefix", "\\\\FS1\\RESCUE", "--rescue", "out", "--csv", "i.csv"}}},
        {"--format", {"contents", {"--format", "json"}}},
    };
    return table;
}

} // namespace

TEST(CliOptions, EveryOptionParsesBeforeAndAfterTheVerb)
{
    for (const std::string& name : ScanCommand::optionNames()) {
        const auto sample = samples().find(name);
        ASSERT_NE(sample, samples().end()) << name << " has no sample here";
        const std::vector<std::string>& words = sample->second.words;
        std::vector<std::string> before = words;
        before.insert(before.end(), {"scan", sample->second.kind, "x.log"});
        std::vector<std::string> after{"scan", sample->second.kind, "x.log"};
        after.insert(after.end(), words.begin(), words.end());
        for (const std::vector<std::string>& args : {before, after}) {
            std::string unknown, problem;
            const auto call = findVerb(args, unknown);
            ASSERT_TRUE(call) << name << ": " << unknown;
            EXPECT_TRUE(ScanCommand::parses(call->args, problem)) << name << ": " << problem;
        }
    }
    // Once as the user types it: the value before the verb is no verb.
    EXPECT_EQ(cli({"--copies", "2", "--print", "--printer", "P", "scan", "contents", "x.log"}).err.find("unknown command"),
              std::string::npos);
    EXPECT_NE(cli({"--pages", "0-2", "--print", "scan", "contents", "x.log"}).err.find("--pages takes FROM-TO"),
              std::string::npos);
    EXPECT_NE(cli({"--copies", "scan", "contents", "x.log"}).err.find("unknown command 'contents'"), std::string::npos);
    std::string problem;
    EXPECT_FALSE(ScanCommand::parses({"documents", "x.log", "--rescue", "o", "--csv", "i", "--import-prefix",
                                      "\\\\FS1\\R\\..\\X"},
                                     problem));
    EXPECT_FALSE(ScanCommand::parses({"documents", "x.log", "--import-prefix", "\\\\FS1\\R"}, problem))
        << "only with --rescue";
    EXPECT_FALSE(ScanCommand::parses({"contents", "x.log", "--format", "xml"}, problem));
}

TEST(CliOptions, OutputsOnOneFileAreRefusedBeforeTheScan)
{
    QTemporaryDir dir;
    const auto p = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)).toStdString(); };
    QFile log(dir.filePath("x.txt"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.close();
    ASSERT_TRUE(QDir(dir.path()).mkpath("sub/out"));
    ASSERT_TRUE(QFile::link(dir.filePath("sub"), dir.filePath("link")));
    const std::vector<std::vector<std::string>> refused{
        {"contents", "--export", p("same.txt"), "--report", p("same.txt")},
        {"contents", "--export", p("link/e.txt"), "--report", p("sub/./e.txt")},
        {"contents", "--export", p("e{n}.txt"), "--report", p("e3.txt")},
        {"contents", "--export", p("e{n}.txt"), "--report", p("e{n}.txt")},
        {"contents", "--report", p("x.txt")},
        {"documents", "--csv", p("same.csv"), "--rescue", p("out"), "--report", p("same.csv")},
        {"documents", "--csv", p("sub/out/LIB/AUTHOR/doc.csv"), "--rescue", p("link/out")},
        {"documents", "--csv", p("i.csv"), "--rescue", p("out"), "--report", p("out/L/A/r.pdf")},
    };
    for (std::vector<std::string> args : refused) {
        args.insert(args.begin() + 1, p("x.txt"));
        args.insert(args.begin(), "scan");
        const CliResult r = cli(args);
        EXPECT_EQ(r.status, 2) << args[4] << ' ' << args[5] << ' ' << r.err;
        EXPECT_TRUE(r.err.find("the same file") != std::string::npos || r.err.find("could write a document") != std::string::npos) << r.err;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.txt"});
    }
    // The import file's journal is an output too.
    std::string problem;
    EXPECT_FALSE(ScanCommand::parses({"documents", p("i.csv.journal"), "--csv", p("i.csv"), "--rescue", p("out")}, problem));
    EXPECT_NE(problem.find("the log and --csv's journal name the same file"), std::string::npos) << problem;
    EXPECT_TRUE(ScanCommand::parses({"documents", p("x.txt"), "--csv", p("out/i.csv"), "--rescue", p("out"), "--report",
                                     p("out/L/r.pdf")},
                                    problem))
        << problem;
    EXPECT_TRUE(ScanCommand::parses({"contents", p("x.txt"), "--export", p("e{n}.txt"), "--report", p("e{n}.pdf")}, problem))
        << problem;
}
