#include "base/Text.h"
#include "lists/ContentsCompare.h"
#include "scan/ContentsParser.h"
#include "support/FailingDevice.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

// A small grammar to drive the common scan: "S" opens a section, "R x" adds
// row x, "O x" opens a record for x that "C" completes, "E" ends the section
// and "EA x" ends it and then adds x on the same line.
class TinyParser : public LineParser {
public:
    enum class SectionState { Outside, Inside };

    explicit TinyParser(int rowCap = 0)
    {
        m_profile.startStatus = "start";
        m_profile.sectionFoundStatus = "found";
        m_profile.completedPrefix = "done - ";
        m_profile.countUnit = " rows";
        m_profile.continueStatus = "continuing";
        m_profile.interimPausePrefix = "breath - ";
        m_profile.rowCap = rowCap;
    }
    const ScanProfile& profile() const override { return m_profile; }
    void reset() override
    {
        state = SectionState::Outside;
        open = false;
    }
    bool recordOpen() const override { return open; }
    LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) override
    {
        const std::string_view word = line.substr(0, line.find_first_of(" \r\n"));
        const std::string name(line.size() > word.size() + 1 ? line.substr(word.size() + 1, line.find_first_of("\r\n") - word.size() - 1) : "");
        if (from == LineResume::Start) {
            if (word == "S" && state == SectionState::Outside) {
                state = SectionState::Inside;
                ctx.showStatus(m_profile.sectionFoundStatus);
            }
            if (word == "R" && state == SectionState::Inside)
                ctx.rows().add(name, {"r"});
            if (word == "O" && state == SectionState::Inside) {
                ctx.rows().beginUpdate();
                ctx.rows().add(name, {"o"});
                open = true;
            }
            if (word == "C") {
                ctx.rows().endUpdate();
                open = false;
            }
            if ((word == "E" || word == "EA") && state == SectionState::Inside && completeSection(ctx, state))
                return LineResume::AfterFirstSectionEnd;
        }
        if (word == "EA")
            ctx.rows().add(name, {"after"});
        return LineResume::Done;
    }

    SectionState state = SectionState::Outside;
    bool open = false;

private:
    ScanProfile m_profile;
};

int byCaption(const Row& a, const Row& b, int column)
{
    return foldCompare(a.column(column), b.column(column));
}

} // namespace

TEST(Scan, EmptyLogEndsAtOnceAndUnlocks)
{
    ScanRun run(byCaption);
    TinyParser parser;
    const auto t = run.run(parser, "");
    EXPECT_EQ(t, (std::vector<std::string>{"# start", "# Completed Parsing Log File"}));
    EXPECT_TRUE(run.host.lineCounts.empty()) << "the counter keeps its old value";
    EXPECT_TRUE(run.host.enabled[ScanControl::Parse]);
    EXPECT_TRUE(run.host.enabled[ScanControl::Close]);
    EXPECT_FALSE(run.host.enabled[ScanControl::Continue]);
    EXPECT_FALSE(run.host.enabled[ScanControl::Print]);
    EXPECT_FALSE(run.host.enabled[ScanControl::Action]);
    EXPECT_EQ(run.pauses, 0);
}

TEST(Scan, PausesOnlyAtSectionsWithRowsAndEmptiesTheListOnContinue)
{
    ScanRun run(byCaption);
    TinyParser parser;
    const auto t = run.run(parser, "S\nR b\nR a\nE\nS\nE\nS\nR c\nE\nS\nR d\n");
    EXPECT_EQ(t, (std::vector<std::string>{"# start", "# found", "# done - 2 rows", "a|r", "b|r", "# continuing",
                                           "# found", "# found", "# done - 1 rows", "c|r", "# continuing", "# found",
                                           "d|r", "# Completed Parsing Log File"}));
    EXPECT_EQ(run.pauses, 2);
    // An unclosed last section leaves its rows, with Print and the action on.
    EXPECT_TRUE(run.host.enabled[ScanControl::Print]);
    EXPECT_TRUE(run.host.enabled[ScanControl::Action]);
    EXPECT_EQ(run.host.lineCounts.back(), 11);
}

TEST(Scan, ControlsFollowTheStateTable)
{
    TempLog log("S\nR a\nE\nS\nR b\nE\n");
    SortState sort;
    sort.click(3);
    RowStore rows(byCaption, sort);
    RecordingHost host(rows);
    TinyParser parser;
    Scan scan(parser, rows, sort, host);
    scan.start(log.path());
    EXPECT_EQ(sort.column, 0);
    EXPECT_EQ(sort.direction, 1);
    for (ScanControl c : {ScanControl::Parse, ScanControl::Continue, ScanControl::Print, ScanControl::Action, ScanControl::Close})
        EXPECT_FALSE(host.enabled[c]);
    ASSERT_EQ(scan.step(), Scan::Outcome::Paused);
    EXPECT_TRUE(scan.awaitingContinue());
    EXPECT_EQ(host.lineCounts.back(), 3) << "exact at a pause";
    EXPECT_TRUE(host.enabled[ScanControl::Continue]);
    EXPECT_TRUE(host.enabled[ScanControl::Print]);
    EXPECT_TRUE(host.enabled[ScanControl::Action]);
    EXPECT_FALSE(host.enabled[ScanControl::Parse]);
    EXPECT_FALSE(host.enabled[ScanControl::Close]);
    EXPECT_EQ(scan.step(), Scan::Outcome::Paused) << "stays paused until Continue";
    scan.resume();
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(host.enabled[ScanControl::Continue]);
    EXPECT_FALSE(host.enabled[ScanControl::Print]);
    EXPECT_FALSE(host.enabled[ScanControl::Action]);
    ASSERT_EQ(scan.step(), Scan::Outcome::Paused);
    scan.resume();
    EXPECT_EQ(scan.step(), Scan::Outcome::Finished);
    EXPECT_EQ(scan.state(), Scan::State::Idle);
    EXPECT_FALSE(host.enabled[ScanControl::Print]) << "the list is empty at the end";
    EXPECT_TRUE(host.enabled[ScanControl::Parse]);
}

TEST(Scan, StepsStopAtTheDeadlineAndGoOnWhereTheyStopped)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "noise line\n";
    TempLog log(text);
    SortState sort;
    RowStore rows(byCaption, sort);
    RecordingHost host(rows);
    TinyParser parser;
    Scan scan(parser, rows, sort, host);
    scan.start(log.path());
    // A deadline already past: each step hands back at once, at most a
    // few hundred lines later (or none, while the first block is read).
    const auto giveUp = Scan::Clock::now() + std::chrono::seconds(10);
    while (scan.lineCount() == 0 && Scan::Clock::now() < giveUp)
        ASSERT_EQ(scan.step(Scan::Clock::now()), Scan::Outcome::Running);
    ASSERT_FALSE(host.lineCounts.empty());
    EXPECT_EQ(host.lineCounts.back(), scan.lineCount());
    EXPECT_LT(scan.lineCount(), 5000);
    EXPECT_GT(scan.progress(), 0.0);
    EXPECT_EQ(scan.step(), Scan::Outcome::Finished);
    EXPECT_EQ(host.lineCounts.back(), 5000);
}

TEST(Scan, LongStretchesWithoutMarkersStillEndEverySlice)
{
    // The Contents scan is handed only lines with markers; the slice must
    // still end on time while the reader passes over a million others.
    std::string text = "CONTENTS VERIFICATION\n";
    for (int i = 0; i < 1000000; ++i)
        text += "   - noise noise\n";
    text += "Checking user = A (aaa) - 1 KB\n1 bytes in use by user\n";
    TempLog log(text);
    SortState sort;
    RowStore rows(contentsCompare, sort);
    RecordingHost host(rows);
    ContentsParser parser;
    Scan scan(parser, rows, sort, host);
    scan.start(log.path());
    int slices = 0;
    Scan::Outcome outcome;
    while ((outcome = scan.step(Scan::Clock::now() + std::chrono::milliseconds(1))) == Scan::Outcome::Running)
        ++slices;
    EXPECT_EQ(outcome, Scan::Outcome::Finished);
    EXPECT_GT(slices, 2) << "the stretch was not read in one slice";
    EXPECT_GT(host.lineCounts.size(), 2u) << "the counter moved while no line was parsed";
    EXPECT_EQ(host.lineCounts.back(), 1000003);
    EXPECT_EQ(rows.size(), 1u);
}

TEST(Scan, TestsAfterAPauseRunOnTheSameLineAfterContinue)
{
    ScanRun run(byCaption);
    TinyParser parser;
    const auto t = run.run(parser, "S\nR a\nEA late\n");
    EXPECT_EQ(t, (std::vector<std::string>{"# start", "# found", "# done - 1 rows", "a|r", "# continuing",
                                           "late|after", "# Completed Parsing Log File"}));
}

TEST(Scan, RowCapPausesMidSectionOnlyWithNoRecordOpen)
{
    ScanRun run(byCaption);
    TinyParser parser(2);
    const auto t = run.run(parser, "S\nR a\nO b\nR c\nC\nR d\nE\n");
    EXPECT_EQ(t, (std::vector<std::string>{"# start", "# found", "# breath - 3 rows", "a|r", "b|o", "c|r",
                                           "# continuing", "# done - 1 rows", "d|r", "# continuing",
                                           "# Completed Parsing Log File"}))
        << "the cap waits for the open record; the section goes on after Continue";
}

TEST(Scan, FailuresKeepTheRowsAndUnlockTheWindow)
{
    SortState sort;
    RowStore rows(byCaption, sort);
    RecordingHost host(rows);
    TinyParser parser;
    Scan scan(parser, rows, sort, host);

    scan.start("/nonexistent/folder/x.log");
    EXPECT_EQ(scan.step(), Scan::Outcome::Finished);
    EXPECT_TRUE(scan.failed());
    ASSERT_GE(host.transcript.size(), 2u);
    EXPECT_EQ(host.transcript[1], "! No such file or directory");
    EXPECT_TRUE(host.enabled[ScanControl::Parse]);
    EXPECT_TRUE(host.enabled[ScanControl::Close]);

    // A read that fails part way: the rows read so far stay listed.
    host.transcript.clear();
    TempLog dummy("");
    scan.start(dummy.path());
    FailingDevice device("S\nR a\nO b\nR c\nmore", 10);
    scan.reader().setDevice(&device);
    EXPECT_EQ(scan.step(), Scan::Outcome::Finished);
    EXPECT_TRUE(scan.failed());
    EXPECT_EQ(host.transcript, (std::vector<std::string>{"# start", "# found", "! Input/output error", "a|r", "b|o",
                                                         "# Stopped Parsing Log File: Input/output error"}));
    EXPECT_TRUE(host.enabled[ScanControl::Print]);
    EXPECT_TRUE(host.enabled[ScanControl::Action]);
    EXPECT_TRUE(host.enabled[ScanControl::Parse]);
    EXPECT_TRUE(host.enabled[ScanControl::Close]);
    EXPECT_FALSE(host.enabled[ScanControl::Continue]);
}
