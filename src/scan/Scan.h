#pragma once

#include "scan/LineParser.h"
#include "scan/LogLineReader.h"
#include "scan/ScanHost.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace bw {

struct SortState;

// One scan of a log with one parser, as a resumable job: step() reads and
// parses lines until a deadline, a pause, the end of the log or a failure,
// so the window can drive it from its event loop in short slices and the
// command line in one loop. Nothing waits inside it.
class Scan : private ScanContext {
public:
    using Clock = std::chrono::steady_clock;

    enum class State { Idle, Scanning, Paused };
    enum class Outcome { Running, Paused, Finished };

    static constexpr std::string_view completedStatus = "Completed Parsing Log File";
    static constexpr std::string_view stoppedStatus = "Stopped Parsing Log File: ";

    Scan(LineParser& parser, RowStore& rows, SortState& sort, ScanHost& host);

    // Parse: locks the controls, opens the log and starts from its first
    // line. A log that cannot be opened ends the scan at once.
    void start(const QString& path);
    // The same for a name given as the platform's bytes.
    void startNative(const QByteArray& nativePath);

    // Runs until the deadline (Running), a pause (Paused) or the end of the
    // log or a failure (Finished).
    Outcome step(Clock::time_point deadline = Clock::time_point::max());

    // Continue: empties the list and goes on after the pause.
    void resume();

    State state() const { return m_state; }
    bool awaitingContinue() const { return m_state == State::Paused; }
    bool failed() const { return m_failed; }
    std::int64_t lineCount() const { return m_lineCount; }
    // Share of the log read so far, 0 to 1.
    double progress() const;

    // For tests that feed a prepared device instead of a file.
    LogLineReader& reader() { return m_reader; }

private:
    RowStore& rows() override { return m_rows; }
    void showStatus(std::string_view text) override;
    MarkerSet::Mask markersIn(const MarkerSet& markers, std::string_view line) override;
    const LineFields* preparedFields(std::string_view line) override;
    bool sectionCompleted() override;

    bool runLine();
    void pause(std::string_view prefix);
    void finish();
    void fail(const QString& reason);
    void unlock();
    void showLineCount();

    LineParser& m_parser;
    RowStore& m_rows;
    SortState& m_sort;
    ScanHost& m_host;
    LogLineReader m_reader;

    State m_state = State::Idle;
    bool m_failed = false;
    std::int64_t m_lineCount = 0;
    std::int64_t m_shownLineCount = -1;
    std::string_view m_line;
    LineResume m_resumeAt = LineResume::Done;
    int m_rowCap = 0;
};

} // namespace bw
