#pragma once

#include "base/ExportFile.h"
#include "actions/ImportJournal.h"
#include "actions/TabDelimitedExport.h"

#include <QString>

#include <memory>
#include <optional>

namespace bw {

class Prompter;
class ScanSession;

// The scan command's actions: at every pause and at the end when rows are
// listed, the tab's action runs over them as if its button were pressed and
// its dialog answered. Exports go to one file for the whole run, or to one
// file each when the name holds "{n}"; the rescue's import lines of the whole
// run go to one file. Every file replaces an earlier one only when complete.
class CliActions {
public:
    struct Options {
        QString exportFile; // may hold {n}
        QString rescueDirectory;
        QString csvFile;
        bool backdate = false;
    };

    CliActions(const Options& options, ScanSession& session, Prompter& prompter);
    ~CliActions();

    bool any() const;
    // Opens the files the whole run writes; false (reported) when one
    // cannot be created.
    bool open();
    // Runs the action over the rows listed now; false when an input/output
    // error ended it (reported).
    bool run();
    // Commits the run's files. The exit status: 0 every row of every action
    // succeeded, 3 some row failed, 1 an input/output error.
    int finish(bool scanFailed);

private:
    bool exportRows();
    bool fail(const QString& text);

    Options m_options;
    ScanSession& m_session;
    Prompter& m_prompter;
    std::optional<TabDelimitedExport::Format> m_format;
    std::unique_ptr<ExportFile> m_file; // the one export file
    std::unique_ptr<ImportJournal> m_journal; // the rescue's import lines
    int m_outside = 0;
    int m_runs = 0;
    bool m_rowFailed = false;
    bool m_failed = false;
};

} // namespace bw
