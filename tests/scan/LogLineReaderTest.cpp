#include "scan/LogLineReader.h"
#include "support/FailingDevice.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace bw;
using bw::test::FailingDevice;
using bw::test::TempLog;

namespace {

std::vector<std::string> readAll(const std::string& bytes, LogLineReader::Result* last = nullptr)
{
    TempLog log(bytes);
    LogLineReader reader;
    EXPECT_TRUE(reader.open(log.path()));
    std::vector<std::string> lines;
    std::string_view line;
    LogLineReader::Result r;
    while ((r = reader.next(line)) == LogLineReader::Result::Line || r == LogLineReader::Result::NoLine) {
        if (r == LogLineReader::Result::Line)
            lines.emplace_back(line);
    }
    if (last)
        *last = r;
    return lines;
}

} // namespace

TEST(LogLineReader, LineEndsStayWithTheirLines)
{
    EXPECT_EQ(readAll("a\r\nb\r\n"), (std::vector<std::string>{"a\r\n", "b\r\n"}));
    EXPECT_EQ(readAll("a\nb\n"), (std::vector<std::string>{"a\n", "b\n"}));
    EXPECT_EQ(readAll("a\rb\rc\r"), std::vector<std::string>{}) << "CR alone ends no line";
    EXPECT_EQ(readAll("a\nlast"), std::vector<std::string>{"a\n"}) << "unterminated last line is dropped";
    EXPECT_EQ(readAll(""), std::vector<std::string>{});
    EXPECT_EQ(readAll("\n\n"), (std::vector<std::string>{"\n", "\n"}));
}

TEST(LogLineReader, LinesAcrossBlocksAreWholeAndReadOnce)
{
    const std::size_t block = LogLineReader::blockSize;
    std::string first(block - 3, 'x');
    first += "\r\n";
    std::string straddling = "ab" + std::string(10, 'y') + "\n"; // starts in block 1, ends in block 2
    std::string huge(3 * block + 17, 'z');                        // longer than any block
    huge += "\n";
    const auto lines = readAll(first + straddling + huge + "end\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], straddling);
    EXPECT_EQ(lines[2], huge);
    EXPECT_EQ(lines[3], "end\n");
}

TEST(LogLineReader, ZeroBytesAreDroppedAndTheTextAroundThemKept)
{
    using namespace std::string_literals;
    EXPECT_EQ(readAll("ab\0\0cd\nef\0\n"s), (std::vector<std::string>{"abcd\n", "ef\n"}));
    // Early in a big block: nothing after the zero byte is lost.
    std::string big = "head\0"s + std::string(LogLineReader::blockSize, 'q') + "\nnext\n";
    const auto lines = readAll(big);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 4 + LogLineReader::blockSize + 1);
    EXPECT_EQ(lines[1], "next\n");
    EXPECT_EQ(readAll("\0\0\0"s), std::vector<std::string>{});
}

TEST(LogLineReader, ReadOnlyLogsOpenAndFailuresCarryTheReason)
{
    TempLog log("a\n");
    QFile::setPermissions(log.path(), QFileDevice::ReadOwner);
    LogLineReader reader;
    EXPECT_TRUE(reader.open(log.path())) << "a read-only log can be scanned";

    EXPECT_FALSE(reader.open(log.dir() + "/missing.log"));
    EXPECT_FALSE(reader.errorString().isEmpty());

    FailingDevice device("one\ntwo\nthr", 6);
    reader.setDevice(&device);
    std::string_view line;
    EXPECT_EQ(reader.next(line), LogLineReader::Result::Line);
    EXPECT_EQ(line, "one\n");
    // A short read hands its lines over at once; the failure comes with the next read.
    LogLineReader::Result r;
    while ((r = reader.next(line)) == LogLineReader::Result::NoLine) {
    }
    EXPECT_EQ(r, LogLineReader::Result::Error);
    EXPECT_EQ(reader.errorString(), "Input/output error");
}

TEST(LogLineReader, LinesBeyondTheCapKeepTheirStartAndCountOnce)
{
    const std::string longLine(70000, 'x');
    const std::string overCap = "Checking user = " + std::string(LogLineReader::lineCap + 200000, 'y');
    TempLog log("a\n" + longLine + "\n" + overCap + "\nafter\n" + overCap + "tail without line feed");
    LogLineReader reader;
    ASSERT_TRUE(reader.open(log.path()));
    std::vector<std::pair<std::int64_t, std::string>> lines;
    std::string_view line;
    LogLineReader::Result r;
    while ((r = reader.next(line)) == LogLineReader::Result::Line || r == LogLineReader::Result::NoLine) {
        if (r == LogLineReader::Result::Line)
            lines.emplace_back(reader.lineNumber(), std::string(line));
    }
    EXPECT_EQ(r, LogLineReader::Result::End);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].second, longLine + "\n");
    EXPECT_EQ(lines[2].first, 3);
    EXPECT_EQ(lines[2].second, overCap.substr(0, LogLineReader::lineCap) + "\n");
    EXPECT_EQ(lines[3], std::make_pair(std::int64_t(4), std::string("after\n")));
    EXPECT_EQ(reader.lineNumber(), 4);
}

TEST(LogLineReader, ALogCutShortWhileReadFailsAndOneThatGrowsIsRead)
{
    const std::string text = std::string(300000, 'z') + "\n";
    {
        TempLog log(text + text);
        LogLineReader reader;
        ASSERT_TRUE(reader.open(log.path()));
        QFile(log.path()).resize(1000);
        std::string_view line;
        LogLineReader::Result r;
        while ((r = reader.next(line)) == LogLineReader::Result::Line || r == LogLineReader::Result::NoLine) {
        }
        EXPECT_EQ(r, LogLineReader::Result::Error);
        EXPECT_EQ(reader.errorString(), LogLineReader::truncatedReason);
    }
    TempLog log(text);
    LogLineReader reader;
    ASSERT_TRUE(reader.open(log.path()));
    QFile grow(log.path());
    ASSERT_TRUE(grow.open(QIODevice::Append));
    grow.write("more\n");
    grow.close();
    std::string_view line;
    LogLineReader::Result r;
    int count = 0;
    while ((r = reader.next(line)) == LogLineReader::Result::Line || r == LogLineReader::Result::NoLine)
        count += r == LogLineReader::Result::Line;
    EXPECT_EQ(r, LogLineReader::Result::End);
    EXPECT_EQ(count, 2);
}

TEST(LogLineReader, OnlyFilesAndFifosAreOpened)
{
    TempLog log("a\n");
    LogLineReader reader;
    EXPECT_FALSE(reader.open(log.dir()));
    EXPECT_EQ(reader.errorString(), "Is a directory");
    if (QFileInfo::exists("/dev/zero")) {
        EXPECT_FALSE(reader.open("/dev/zero"));
        EXPECT_EQ(reader.errorString(), "Is a device, not a log file");
    }
}

namespace {

// An endless log of short lines that counts the bytes it served, and tells
// the size it is given.
class EndlessLog : public QIODevice {
public:
    explicit EndlessLog(qint64 size)
        : m_size(size)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 size() const override { return m_size; }
    std::int64_t served() const { return m_served; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        for (qint64 i = 0; i < max; ++i)
            out[i] = (m_served + i) % 64 == 63 ? '\n' : 'x';
        m_served += max;
        return max;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 m_size;
    std::atomic<std::int64_t> m_served{0};
};

// How far the reader of log reads ahead of a caller who took one line and
// waits: once the reader waits too.
std::int64_t readAhead(EndlessLog& log)
{
    LogLineReader reader;
    reader.setDevice(&log);
    std::string_view line;
    EXPECT_EQ(reader.next(line), LogLineReader::Result::Line);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    // A large log's reader has at least 16 MiB to read first.
    while (log.size() > (std::int64_t(1) << 30) && log.served() < (std::int64_t(16) << 20)
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::int64_t before = -1;
    while (log.served() != before && std::chrono::steady_clock::now() < deadline) {
        before = log.served();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    // The lines read meanwhile come in order.
    EXPECT_EQ(reader.next(line), LogLineReader::Result::Line);
    EXPECT_EQ(line, std::string(63, 'x') + "\n");
    EXPECT_EQ(reader.lineNumber(), 2);
    return log.served();
}

} // namespace

TEST(LogLineReader, ReadsAheadByAShareOfTheLogButNeverWithoutBound)
{
    const std::int64_t mib = std::int64_t(1) << 20;
    // A pipe, or a small log: a few chunks.
    EndlessLog pipe(0);
    EXPECT_LE(readAhead(pipe), 8 * mib);
    EndlessLog small(40 * mib);
    EXPECT_LE(readAhead(small), 8 * mib);
    // A large log: some tens of MiB, whatever its size.
    EndlessLog large(std::int64_t(8) << 30);
    const std::int64_t ahead = readAhead(large);
    EXPECT_GE(ahead, 16 * mib);
    EXPECT_LE(ahead, 40 * mib);
}
