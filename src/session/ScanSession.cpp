#include "session/ScanSession.h"

#include "base/DisplayText.h"
#include "base/LogDirectory.h"
#include "base/ProgramDirectory.h"
#include "base/Prompter.h"
#include "lists/DocumentTargetPath.h"
#include "lists/SortState.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace bw {

ScanSession::ScanSession(const KindProfile& profile, SortState& sort, Prompter& prompter, QObject* parent)
    : QObject(parent)
    , m_profile(profile)
    , m_sort(sort)
    , m_prompter(prompter)
    , m_rows(profile.makeRows(sort))
    , m_parser(profile.makeParser())
    , m_scan(*m_parser, *m_rows, sort, *this)
{
    m_enabled[static_cast<std::size_t>(ScanControl::Close)] = true;
    // The program's own folder, where there is a program (not in a test).
    if (profile.hasOutputDirectory)
        m_outputDirectory = programDirectory();
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &ScanSession::runSlice);
}

ScanSession::~ScanSession() = default;

void ScanSession::setOutputDirectory(const QString& folder)
{
    if (folder == m_outputDirectory)
        return;
    m_outputDirectory = folder;
    emit outputDirectoryChanged();
}

std::optional<std::string> ScanSession::importFolder() const
{
    if (!m_importPrefix.isEmpty()) {
        std::string prefix = QFile::encodeName(m_importPrefix).toStdString();
        std::replace(prefix.begin(), prefix.end(), '/', '\\');
        while (prefix.size() > 2 && prefix.back() == '\\')
            prefix.pop_back();
        return prefix;
    }
    if (m_outputDirectory.isEmpty())
        return std::nullopt;
    const QString local = QDir::cleanPath(QDir::current().absoluteFilePath(QDir::fromNativeSeparators(m_outputDirectory)));
    return m_mappings.serverForm(QFile::encodeName(local).toStdString());
}

std::string ScanSession::importPath(const Row& row) const
{
    return documentImportPath(importFolder(), m_outputDirectory, row);
}

QString ScanSession::importPathNote() const
{
    if (const std::optional<std::string> folder = importFolder())
        return QStringLiteral("Import paths as ") + displayText(*folder) + QStringLiteral("\\...");
    return QStringLiteral("Import paths are local: no path mapping contains the output folder");
}

void ScanSession::setPathMappings(const PathMappings& mappings)
{
    m_mappings = mappings;
    if (PathResolver* resolver = m_parser->pathResolver())
        resolver->setMappings(mappings);
}

void ScanSession::setActionRunning(bool running)
{
    if (running == m_actionRunning)
        return;
    m_actionRunning = running;
    emit actionRunningChanged();
    emit controlsChanged();
}

bool ScanSession::isEnabled(Control control) const
{
    if (m_actionRunning)
        return false;
    switch (control) {
    case Control::Parse:
        return m_enabled[static_cast<std::size_t>(ScanControl::Parse)];
    case Control::Continue:
        return m_enabled[static_cast<std::size_t>(ScanControl::Continue)];
    case Control::Print:
        return m_enabled[static_cast<std::size_t>(ScanControl::Print)];
    case Control::Action:
        return m_enabled[static_cast<std::size_t>(ScanControl::Action)];
    case Control::Close:
        return m_enabled[static_cast<std::size_t>(ScanControl::Close)];
    case Control::Pick:
        return !scanRunning();
    case Control::HeaderClicks:
        return !m_profile.headerClickNeedsAction || isEnabled(Control::Action);
    }
    return false;
}

bool ScanSession::choose(const QString& path)
{
    return chooseNative(QFile::encodeName(path));
}

bool ScanSession::chooseNative(const QByteArray& nativePath)
{
    if (scanRunning() || m_actionRunning || nativePath.isEmpty())
        return false;
    const QString path = displayText(std::string_view(nativePath.constData(), std::size_t(nativePath.size())));
    m_nativeLogPath = nativePath;
    m_logPath = path;
    emit logPathChanged();
    if (m_profile.hasOutputDirectory)
        setOutputDirectory(logDirectoryOf(path));
    setControlEnabled(ScanControl::Parse, true);
    m_rows->clear();
    setStatus(QStringLiteral("Log File Selected"));
    return true;
}

void ScanSession::parse()
{
    if (scanRunning() || m_actionRunning || m_logPath.isEmpty())
        return;
    // A new scan counts from nothing, even when its log cannot be opened.
    m_lineCounter = QStringLiteral("Processing Line 0");
    emit lineCounterChanged();
    m_sortShown = true;
    m_scan.startNative(m_nativeLogPath);
    // The pick follows the scan's state, which start() set after the
    // controls it switched.
    emit controlsChanged();
    emit sortChanged();
    m_sinceSettle.start();
    if (m_selfDriven && scanRunning())
        m_slice.start();
    else if (!scanRunning())
        emit scanEnded();
}

void ScanSession::continueScan()
{
    if (!m_scan.awaitingContinue() || m_actionRunning)
        return;
    m_scan.resume();
    if (m_selfDriven)
        m_slice.start();
}

bool ScanSession::sortByColumn(int column)
{
    if (!isEnabled(Control::HeaderClicks))
        return false;
    m_sort.click(column);
    m_rows->sort();
    m_sinceSettle.restart();
    emit sortChanged();
    return true;
}

Scan::Outcome ScanSession::step(Scan::Clock::time_point deadline)
{
    const bool wasRunning = m_scan.state() == Scan::State::Scanning;
    const Scan::Outcome outcome = m_scan.step(deadline);
    if (!wasRunning)
        return outcome;
    emit progressChanged();
    if (outcome == Scan::Outcome::Paused)
        emit scanPaused();
    else if (outcome == Scan::Outcome::Finished)
        emit scanEnded();
    return outcome;
}

void ScanSession::runSlice()
{
    const auto outcome = step(Scan::Clock::now() + std::chrono::milliseconds(sliceMilliseconds));
    if (outcome != Scan::Outcome::Running)
        return;
    if (settleDue()) {
        m_rows->settle();
        m_sinceSettle.restart();
    }
    m_slice.start();
}

bool ScanSession::settleDue() const
{
    // Rows completed in the slices so far take their places a few times a
    // second, not after every slice.
    return m_sinceSettle.elapsed() >= 100;
}

void ScanSession::setStatus(const QString& text)
{
    m_status = text;
    emit statusChanged();
}

void ScanSession::showStatus(std::string_view text)
{
    setStatus(displayText(text));
}

void ScanSession::showLineCount(std::int64_t lineCount)
{
    m_lineCounter = QStringLiteral("Processing Line ") + QString::number(lineCount);
    emit lineCounterChanged();
}

void ScanSession::setControlEnabled(ScanControl control, bool enabled)
{
    bool& flag = m_enabled[static_cast<std::size_t>(control)];
    if (flag == enabled)
        return;
    flag = enabled;
    emit controlsChanged();
}

void ScanSession::showError(std::string_view message)
{
    // The box names the log as well as the reason.
    m_prompter.error(QDir::toNativeSeparators(m_logPath) + QStringLiteral(": ") + displayText(message));
}

} // namespace bw
