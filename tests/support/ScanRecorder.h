#pragma once

#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "scan/ContentsParser.h"
#include "scan/Scan.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace bw::test {

// Records what a scan shows, as the command line writes it: "# status",
// the rows at a pause or the end as "caption|sub0|sub1...", "! error".
class RecordingHost : public ScanHost {
public:
    explicit RecordingHost(RowStore& rows)
        : m_rows(rows)
    {
    }

    void showStatus(std::string_view text) override { transcript.push_back("# " + std::string(text)); }
    void showLineCount(std::int64_t n) override { lineCounts.push_back(n); }
    void setControlEnabled(ScanControl c, bool on) override { enabled[c] = on; }
    void showError(std::string_view message) override { transcript.push_back("! " + std::string(message)); }
    void scanEnding() override { writeRows(); }

    void writeRows()
    {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const Row& r = m_rows.at(i);
            std::string line = r.caption;
            for (const std::string& s : r.subItems())
                line += "|" + s;
            transcript.push_back(line);
        }
    }

    std::vector<std::string> transcript;
    std::vector<std::int64_t> lineCounts;
    std::map<ScanControl, bool> enabled;

private:
    RowStore& m_rows;
};

// Writes a log into a temporary folder.
class TempLog {
public:
    explicit TempLog(const std::string& bytes, const char* name = "test.log")
    {
        m_path = m_dir.filePath(QString::fromLatin1(name));
        QFile f(m_path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    const QString& path() const { return m_path; }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A whole scan of text with Continue pressed at every pause.
struct ScanRun {
    SortState sort;
    RowStore rows;
    RecordingHost host{rows};
    int pauses = 0;

    explicit ScanRun(CompareRule rule, int lookupColumn = -1)
        : rows(rule, sort, nullptr, lookupColumn)
    {
    }

    explicit ScanRun(std::unique_ptr<RowOrder> order, int lookupColumn = -1)
        : rows(std::move(order), sort, lookupColumn)
    {
    }

    std::vector<std::string> run(LineParser& parser, const std::string& text)
    {
        TempLog log(text);
        Scan scan(parser, rows, sort, host);
        scan.start(log.path());
        for (;;) {
            const Scan::Outcome o = scan.step();
            if (o == Scan::Outcome::Finished)
                break;
            if (o == Scan::Outcome::Paused) {
                ++pauses;
                host.writeRows();
                scan.resume();
            }
        }
        return host.transcript;
    }
};

// The column that a list filled by parser P finds its rows by besides the
// caption, as the kind's list is made: the Contents parser finds a user by
// name and file ID.
template <typename P>
constexpr int lookupColumnFor()
{
    return std::is_same_v<P, ContentsParser> ? 1 + ContentsParser::UserFid : -1;
}

// A whole scan of text with a fresh parser of type P: the transcript, and
// how often it paused.
template <typename P>
std::vector<std::string> scanWith(CompareRule rule, const std::string& text, int* pauses = nullptr)
{
    ScanRun run(rule, lookupColumnFor<P>());
    P parser;
    auto transcript = run.run(parser, text);
    if (pauses)
        *pauses = run.pauses;
    return transcript;
}

// Joins lines with CR LF, the usual line end of these logs.
inline std::string crlf(std::initializer_list<std::string_view> lines)
{
    std::string out;
    for (std::string_view l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// A contents log of one section: each user's "NAME (FID)" and bytes in use.
inline std::string contentsLog(std::initializer_list<std::pair<const char*, const char*>> users)
{
    std::string log = crlf({"CONTENTS VERIFICATION"});
    for (const auto& [name, bytes] : users)
        log += crlf({std::string("Checking user = ") + name + " - 1 KB", std::string(bytes) + " bytes in use by user"});
    return log + crlf({"PROCESSING COMPLETE"});
}

// The lines of a program's output, without their line feeds.
inline std::vector<std::string> outputLines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

} // namespace bw::test
