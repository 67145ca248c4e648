#pragma once

#include "base/PathMappings.h"
#include "scan/Scan.h"
#include "session/KindProfile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace bw {

class Prompter;
struct SortState;

// One tab's work, without its widgets: the kind, its rows, parser and scan,
// the log and output folder chosen, and whether each control may be used.
// The window shows it and forwards clicks to it; the command line drives the
// same object. Reports and actions read its rows in list order.
class ScanSession : public QObject, private ScanHost {
    Q_OBJECT
public:
    enum class Control { Parse, Continue, Print, Action, Pick, HeaderClicks, Close };

    // How long one slice of scanning may take before the event loop gets
    // control back.
    static constexpr int sliceMilliseconds = 10;

    // sort is the order that all lists of a window share.
    ScanSession(const KindProfile& profile, SortState& sort, Prompter& prompter, QObject* parent = nullptr);
    ~ScanSession() override;

    const KindProfile& profile() const { return m_profile; }
    ScanKind kind() const { return m_profile.kind; }
    const RowStore& rows() const { return *m_rows; }
    // Actions tick the check boxes of rows they handled.
    RowStore& rows() { return *m_rows; }
    const Scan& scan() const { return m_scan; }
    Scan& scan() { return m_scan; }
    const SortState& sort() const { return m_sort; }
    // Whether the rows are known to be in the order of sort(): from the
    // first Parse on. Before it the list has never been ordered.
    bool sortShown() const { return m_sortShown; }

    const QString& logPath() const { return m_logPath; }
    const QString& outputDirectory() const { return m_outputDirectory; }
    void setOutputDirectory(const QString& folder);
    const QString& status() const { return m_status; }
    // "Processing Line N"; empty until a scan has counted a line.
    const QString& lineCounter() const { return m_lineCounter; }
    double progress() const { return m_scan.progress(); }

    // The prefix mappings for paths read from the log: the scan's lookups
    // and the actions use them.
    const PathMappings& pathMappings() const { return m_mappings; }

    // The server form of the output directory that the import file names
    // its copies by: the import prefix when one is set, otherwise through
    // the mapping whose folder holds the output directory; nothing when the
    // import file names local paths.
    std::optional<std::string> importFolder() const;
    // A name for the output directory on the server for this session alone.
    void setImportPrefix(const QString& prefix) { m_importPrefix = prefix; }
    // The row's target as its import line names it, and as the Document
    // report prints it.
    std::string importPath(const Row& row) const;
    // Which form the import file uses, for the rescue's start.
    QString importPathNote() const;
    void setPathMappings(const PathMappings& mappings);

    // An export, rescue or backdating run: while it goes on, Parse, Continue,
    // Print, the action, the pick, header clicks and closing are refused, so
    // that no second run starts inside it and no row moves under it.
    bool actionRunning() const { return m_actionRunning; }
    void setActionRunning(bool running);
    // The status text, written by a running action.
    void showActionStatus(const QString& text) { setStatus(text); }

    bool isEnabled(Control control) const;
    // Scanning or waiting for Continue.
    bool scanRunning() const { return m_scan.state() != Scan::State::Idle; }
    bool awaitingContinue() const { return m_scan.awaitingContinue(); }

    // A log picked (or dropped): refused while a scan runs or waits, so that
    // a second scan can never start.
    bool choose(const QString& path);
    // The same for a name given as the platform's bytes, which the command
    // line passes on unchanged; logPath() shows them as text.
    bool chooseNative(const QByteArray& nativePath);
    void parse();
    void continueScan();
    // A header click; returns whether the list was re-sorted.
    bool sortByColumn(int column);

    // Whether the session drives its scan from the event loop by itself in
    // slices (the window) or is stepped by its owner (the command line).
    void setSelfDriven(bool selfDriven) { m_selfDriven = selfDriven; }
    Scan::Outcome step(Scan::Clock::time_point deadline = Scan::Clock::time_point::max());

signals:
    void statusChanged();
    void lineCounterChanged();
    void controlsChanged();
    void logPathChanged();
    void outputDirectoryChanged();
    // An action began or ended (controlsChanged follows).
    void actionRunningChanged();
    void sortChanged();
    // After every step of the scan.
    void progressChanged();
    void scanPaused();
    // The scan has stopped reading and its rows are in place; the final
    // status follows.
    void scanFinishing();
    void scanEnded();

private:
    void showStatus(std::string_view text) override;
    void showLineCount(std::int64_t lineCount) override;
    void setControlEnabled(ScanControl control, bool enabled) override;
    void showError(std::string_view message) override;
    void scanEnding() override { emit scanFinishing(); }

    void runSlice();
    bool settleDue() const;
    void setStatus(const QString& text);

    const KindProfile& m_profile;
    SortState& m_sort;
    Prompter& m_prompter;
    std::unique_ptr<RowStore> m_rows;
    std::unique_ptr<LineParser> m_parser;
    Scan m_scan;

    QString m_logPath;
    QByteArray m_nativeLogPath;
    QString m_outputDirectory;
    QString m_status;
    QString m_lineCounter;
    // Parse, Continue, Print, Action and Close as the scan set them.
    std::array<bool, 5> m_enabled{};

    PathMappings m_mappings;
    QString m_importPrefix;
    bool m_actionRunning = false;
    bool m_sortShown = false;
    bool m_selfDriven = true;
    QTimer m_slice;
    QElapsedTimer m_sinceSettle;
};

} // namespace bw
