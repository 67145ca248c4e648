#include "scan/Scan.h"

#include "base/LogDirectory.h"
#include "lists/RowStore.h"
#include "lists/SortState.h"

#include <QFile>

namespace bw {

Scan::Scan(LineParser& parser, RowStore& rows, SortState& sort, ScanHost& host)
    : m_parser(parser)
    , m_rows(rows)
    , m_sort(sort)
    , m_host(host)
{
}

void Scan::start(const QString& path)
{
    startNative(QFile::encodeName(path));
}

void Scan::startNative(const QByteArray& nativePath)
{
    for (ScanControl c : {ScanControl::Parse, ScanControl::Continue, ScanControl::Print, ScanControl::Action, ScanControl::Close})
        m_host.setControlEnabled(c, false);
    m_state = State::Scanning;
    m_failed = false;
    m_resumeAt = LineResume::Done;
    m_host.showStatus(m_parser.profile().startStatus);
    if (!m_reader.openNative(nativePath)) {
        fail(m_reader.errorString());
        return;
    }
    m_reader.setMarkers(m_parser.markers(), !m_parser.needsUnmarkedLines());
    // The parser's prepare() reads nothing but the line, so the reader's
    // thread may call it.
    const LineParser& parser = m_parser;
    m_reader.setPrepare([&parser](std::string_view line, MarkerSet::Mask markers, LineFields& fields) {
        return parser.prepare(line, markers, fields);
    });
    m_rowCap = m_parser.profile().rowCap;
    m_lineCount = 0;
    // The counter keeps what it showed until the first line is read.
    m_shownLineCount = 0;
    m_rows.clear();
    m_sort.reset();
    m_parser.reset();
    // Relative paths in a log are written from where the log lies.
    if (PathResolver* resolver = m_parser.pathResolver())
        resolver->setBaseDirectory(logFolderForPaths(QFile::decodeName(nativePath)));
}

Scan::Outcome Scan::step(Clock::time_point deadline)
{
    if (m_state == State::Paused)
        return Outcome::Paused;
    if (m_state == State::Idle)
        return Outcome::Finished;
    if (m_resumeAt != LineResume::Done && runLine())
        return Outcome::Paused;
    for (unsigned n = 1;; ++n) {
        if ((n & 255) == 0 && Clock::now() >= deadline) {
            showLineCount();
            return Outcome::Running;
        }
        const LogLineReader::Result result = m_reader.next(m_line, deadline);
        m_lineCount = m_reader.lineNumber();
        switch (result) {
        case LogLineReader::Result::NoLine:
            if (Clock::now() >= deadline) {
                showLineCount();
                return Outcome::Running;
            }
            continue;
        case LogLineReader::Result::End:
            finish();
            return Outcome::Finished;
        case LogLineReader::Result::Error:
            fail(m_reader.errorString());
            return Outcome::Finished;
        case LogLineReader::Result::Line:
            break;
        }
        // The row a line will look up starts loading this many lines before
        // the line's turn: about two records of a contents log.
        constexpr std::size_t lookAheadLines = 8;
        std::uint64_t aheadHash = 0;
        if (m_reader.peekLookupHash(lookAheadLines, aheadHash) && aheadHash != 0)
            m_rows.prefetch(aheadHash);
        m_resumeAt = LineResume::Start;
        if (runLine())
            return Outcome::Paused;
    }
}

bool Scan::runLine()
{
    const LineResume next = m_parser.lineStep(m_line, m_resumeAt, *this);
    if (next != LineResume::Done) {
        m_resumeAt = next;
        return true;
    }
    m_resumeAt = LineResume::Done;
    if (m_rowCap > 0 && m_rows.size() >= static_cast<std::size_t>(m_rowCap) && !m_parser.recordOpen()) {
        pause(m_parser.profile().interimPausePrefix);
        return true;
    }
    return false;
}

void Scan::showStatus(std::string_view text)
{
    m_host.showStatus(text);
}

MarkerSet::Mask Scan::markersIn(const MarkerSet& markers, std::string_view line)
{
    return &markers == m_reader.markers() && line.data() == m_line.data() ? m_reader.mask() : markers.find(line);
}

const LineFields* Scan::preparedFields(std::string_view line)
{
    return line.data() == m_line.data() ? m_reader.fields() : nullptr;
}

bool Scan::sectionCompleted()
{
    m_rows.endUpdate();
    if (m_rows.empty())
        return false;
    pause(m_parser.profile().completedPrefix);
    return true;
}

void Scan::pause(std::string_view prefix)
{
    m_rows.endUpdate();
    m_rows.settle();
    showLineCount();
    std::string status(prefix);
    status += std::to_string(m_rows.size());
    status += m_parser.profile().countUnit;
    m_host.showStatus(status);
    m_state = State::Paused;
    m_host.setControlEnabled(ScanControl::Continue, true);
    m_host.setControlEnabled(ScanControl::Print, true);
    m_host.setControlEnabled(ScanControl::Action, true);
}

void Scan::resume()
{
    if (m_state != State::Paused)
        return;
    m_host.setControlEnabled(ScanControl::Continue, false);
    m_rows.clear();
    m_host.showStatus(m_parser.profile().continueStatus);
    m_host.setControlEnabled(ScanControl::Print, false);
    m_host.setControlEnabled(ScanControl::Action, false);
    m_state = State::Scanning;
}

void Scan::finish()
{
    m_parser.endOfFile(*this);
    m_reader.close();
    showLineCount();
    unlock();
    m_host.scanEnding();
    m_host.showStatus(completedStatus);
    m_host.setControlEnabled(ScanControl::Parse, true);
    m_host.setControlEnabled(ScanControl::Close, true);
}

void Scan::fail(const QString& reason)
{
    m_failed = true;
    const std::string text = reason.toStdString();
    m_reader.close();
    showLineCount();
    m_host.showError(text);
    // The rows read so far stay, and the window must not stay locked.
    unlock();
    m_host.scanEnding();
    m_host.showStatus(std::string(stoppedStatus) + text);
    m_host.setControlEnabled(ScanControl::Parse, true);
    m_host.setControlEnabled(ScanControl::Close, true);
}

void Scan::unlock()
{
    m_rows.endUpdate();
    m_rows.settle();
    m_state = State::Idle;
    m_resumeAt = LineResume::Done;
    if (!m_rows.empty()) {
        m_host.setControlEnabled(ScanControl::Print, true);
        m_host.setControlEnabled(ScanControl::Action, true);
    }
}

void Scan::showLineCount()
{
    if (m_lineCount != m_shownLineCount && m_lineCount > 0) {
        m_host.showLineCount(m_lineCount);
        m_shownLineCount = m_lineCount;
    }
}

double Scan::progress() const
{
    const auto size = m_reader.fileSize();
    if (m_state == State::Idle)
        return size > 0 || m_lineCount > 0 ? 1.0 : 0.0;
    return size > 0 ? static_cast<double>(m_reader.bytesRead()) / static_cast<double>(size) : 0.0;
}

} // namespace bw
