// Inputs a hostile or unlucky user may give the command line: each ends with
// a clear outcome, never a crash or a hang.
#include "cli/Cli.h"
#include "scan/LogLineReader.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <thread>

using namespace bw;
using namespace bw::test;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
    std::size_t rows() const
    {
        std::size_t n = 0;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);)
            n += !line.empty() && line[0] != '#';
        return n;
    }
};

Outcome scan(const std::string& kind, const std::string& path)
{
    std::ostringstream out, err;
    const int status = runCli({"scan", kind, path}, out, err);
    return {status, out.str(), err.str()};
}

Outcome scanBytes(const std::string& kind, const std::string& bytes)
{
    TempLog log(bytes);
    return scan(kind, log.path().toStdString());
}

const std::string kUser = "Checking user = BOB (b0b) - 10 KB\n   User stats: 5 InBox, 1 OutBox, 0 WasteBasket\n"
                          "10 bytes in use by user\n";
const std::string kSection = "CONTENTS VERIFICATION\n" + kUser + "PROCESSING COMPLETE\n";

} // namespace

TEST(BadInput, ContentThatIsNoLogGivesNoRowsInEveryKind)
{
    std::mt19937 random(7);
    std::string noise(300000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string utf16 = [] {
        std::string s;
        for (char c : kSection) {
            s += c;
            s += '\0';
        }
        return s;
    }();
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"random bytes", noise},
        {"no line feed", std::string(200000, 'x')},
        {"zero bytes only", std::string(100000, '\0')},
        {"lone CR", "CONTENTS VERIFICATION\r" + std::string("Checking user = BOB (b0b) - 10 KB\r")},
    };
    for (const auto& [name, bytes] : cases) {
        for (const char* kind : {"contents", "documents", "expire", "structure"}) {
            const Outcome r = scanBytes(kind, bytes);
            EXPECT_EQ(r.status, 0) << name << ", " << kind << ": " << r.err;
            EXPECT_EQ(r.rows(), 0u) << name << ", " << kind;
            EXPECT_NE(r.out.find("# Completed Parsing Log File"), std::string::npos) << name << ", " << kind;
        }
    }
    // Zero bytes are dropped, so UTF-16 text of the Latin letters reads as
    // the text itself.
    EXPECT_EQ(scanBytes("contents", utf16).rows(), 1u);
    EXPECT_EQ(scanBytes("contents", "\xff\xfe" + utf16).rows(), 1u);
    // CR LF lines are lines.
    std::string crlfSection;
    for (char c : kSection)
        crlfSection += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(scanBytes("contents", crlfSection).rows(), 1u);
}

TEST(BadInput, LongLinesAndManyRowsKeepTheirRows)
{
    const std::string overCap(LogLineReader::lineCap + 1000, 'y');
    const Outcome r = scanBytes("contents", "CONTENTS VERIFICATION\n" + std::string(70000, 'x') + "\n" + overCap + "\n"
                                                + kUser + "PROCESSING COMPLETE\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.rows(), 1u);

    std::string oneName = "CONTENTS VERIFICATION\n";
    std::string manyNames = oneName;
    for (int i = 0; i < 100000; ++i) {
        oneName += kUser;
        manyNames += "Checking user = U" + std::to_string(i) + " (f" + std::to_string(i) + ") - 1 KB\n1 bytes in use by user\n";
    }
    // A user checked again within its section is one row.
    EXPECT_EQ(scanBytes("contents", oneName + "PROCESSING COMPLETE\n").rows(), 1u);
    EXPECT_EQ(scanBytes("contents", manyNames + "PROCESSING COMPLETE\n").rows(), 100000u);

    std::string empties;
    for (int i = 0; i < 10000; ++i)
        empties += "CONTENTS VERIFICATION\nPROCESSING COMPLETE\n";
    const Outcome e = scanBytes("contents", empties);
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.rows(), 0u);
}

TEST(BadInput, WhatIsNoReadableLogFileFailsWithItsReason)
{
    TempLog log(kSection);
    const std::string dir = log.dir().toStdString();
    const std::pair<std::string, std::string> cases[] = {
        {dir, "Is a directory"},
        {"/dev/zero", "Is a device, not a log file"},
        {dir + "/missing.log", "No such file or directory"},
        {"", ""},
    };
    for (const auto& [path, reason] : cases) {
        if (path.rfind("/dev/", 0) == 0 && !QFile::exists(QString::fromStdString(path)))
            continue;
        const Outcome r = scan("contents", path);
        if (path.empty()) {
            EXPECT_EQ(r.status, 2);
            continue;
        }
        EXPECT_EQ(r.status, 1) << path;
        EXPECT_EQ(r.err, "brindlewick-cli: " + path + ": " + reason + "\n") << path;
        EXPECT_EQ(r.rows(), 0u);
    }
}

TEST(BadInput, FifosAndOddNamesAreRead)
{
    TempLog log("");
    const std::string dir = log.dir().toStdString();
    const std::string fifo = dir + "/pipe.log";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        std::FILE* f = std::fopen(fifo.c_str(), "wb");
        for (int i = 0; i < 3; ++i)
            std::fwrite(kSection.data(), 1, kSection.size(), f);
        std::fclose(f);
    });
    const Outcome r = scan("contents", fifo);
    writer.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.rows(), 3u);

    for (const std::string name : {"with blanks .log", "quote'\"s.log", "new\nline.log", "bad\xff.log", "-dash.log"}) {
        const std::string path = dir + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << name;
        std::fwrite(kSection.data(), 1, kSection.size(), f);
        std::fclose(f);
        const Outcome o = scan("contents", path);
        EXPECT_EQ(o.status, 0) << name << ": " << o.err;
        EXPECT_EQ(o.rows(), 1u) << name;
        std::remove(path.c_str());
    }
}

TEST(BadInput, AFileTheUserMayNotReadFailsWithItsReason)
{
    // Root reads every file: run the command as another user where we can.
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    TempLog log(kSection);
    QFile::setPermissions(log.dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                         | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(log.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QProcess cli;
    cli.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", BW_CLI, "scan", "contents", log.path()});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(cli.readAllStandardError().toStdString(),
              "brindlewick-cli: " + log.path().toStdString() + ": Permission denied\n");
}

TEST(BadInput, OutputThatCannotBeWrittenEndsTheRunWithItsReason)
{
    TempLog log(kSection);
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    full.start(BW_CLI, {"scan", "contents", log.path()});
    ASSERT_TRUE(full.waitForFinished(10000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_EQ(full.readAllStandardError().toStdString(), "brindlewick-cli: standard output: No space left on device\n");

    QProcess closed;
    closed.start("sh", {"-c", "exec \"$0\" scan contents \"$1\" >&-", BW_CLI, log.path()});
    ASSERT_TRUE(closed.waitForFinished(10000));
    EXPECT_EQ(closed.exitCode(), 1);
    EXPECT_EQ(closed.readAllStandardError().toStdString(), "brindlewick-cli: standard output: Bad file descriptor\n");
}

TEST(BadInput, StandardInputIsReadAndAPipeGetsEveryStatusAsItComes)
{
    QProcess cli;
    cli.start(BW_CLI, {"scan", "contents", "--", "-"});
    ASSERT_TRUE(cli.waitForStarted(10000));
    cli.write("CONTENTS VERIFICATION\n");
    QByteArray seen;
    // The log is still open: the status must arrive before its end does.
    while (!seen.contains("# Content Verification Section Found\n") && cli.waitForReadyRead(10000))
        seen += cli.readAllStandardOutput();
    EXPECT_TRUE(seen.contains("# Content Verification Section Found\n")) << seen.toStdString();
    cli.write((kUser + "PROCESSING COMPLETE\n").c_str());
    cli.closeWriteChannel();
    ASSERT_TRUE(cli.waitForFinished(10000));
    seen += cli.readAllStandardOutput();
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(seen.contains("\nBOB\tb0b\t")) << seen.toStdString();
}

TEST(BadInput, SortTakesOnlyAPlainColumnNumber)
{
    TempLog log(kSection);
    for (const char* bad : {"+1", "-1", " 1", "1 ", "1x", "", "99999999999"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runCli({"scan", "contents", log.path().toStdString(), "--sort", bad}, out, err), 2) << bad;
    }
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"scan", "contents", log.path().toStdString(), "--sort", "2"}, out, err), 0);
}
