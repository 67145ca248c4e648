#pragma once

#include "actions/ActionRun.h"
#include "base/PathResolver.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

class ImportJournal;
class Prompter;
class ScanSession;

// The document rescue over a Document Rescue tab's rows, in list order:
// each row's file copied into the library and author tree under the output
// directory (rescueRow), its import line put in the journal, its source then
// marked ".xxx" and its check box ticked; a failed row's box is cleared.
// Relative sources are found from the log's folder and the prefix mappings
// apply; the process's current directory is not touched.
//
// The store is live and shared, so a source is renamed only when it lies
// below the log's folder or a mapped folder and is reached without a link,
// only after an identical copy and its import line are on the disk, and
// never over another entry; a source that changed meanwhile keeps its name.
//
// The journal belongs to the caller, who opens it first and commits it at
// the end: the Export button one per run, the command line one for all runs.
class DocumentRescue : public ActionRun {
public:
    DocumentRescue(ScanSession& session, Prompter& prompter, ImportJournal& journal,
                   const QLocale& locale = QLocale::system(), QDate today = QDate::currentDate());

    // Which form the import paths take, then "Exporting Document Files and
    // Creating Import File", counts at 0.
    void showStart();
    // Relative paths start at the log's folder; "Directory Reset Failed"
    // when there is no such folder.
    void resetDirectory();
    // Processes rows until the deadline or the last row (the count is read
    // again before every row); true when done. A failed journal write ends
    // the run (Failed) with its error box; that row's source is not renamed.
    bool step(Clock::time_point deadline) override;
    // "Completed Export - ...", with a note when rows lay outside the
    // folders a rescue may change.
    void showCompletion();

    // One row: the target path when the row was exported, empty when it
    // failed. Shows its own messages.
    QString rescueRow(std::size_t index);

    int failures() const { return m_failures; }
    // Rows whose source lay outside the log's folder and every mapped folder.
    int outsideRows() const { return m_outside; }
    // What the last status adds for them.
    static QString outsideNote(int rows);

    static std::string csvLine(std::string_view authorDpu, std::string_view document, std::string_view version,
                               std::string_view target, const QString& date);

private:
    QString counts() const;
    bool rowsDone();

    ScanSession& m_session;
    Prompter& m_prompter;
    ImportJournal& m_journal;
    QString m_date;
    PathResolver m_resolver;
    std::size_t m_next = 0;
    int m_successes = 0;
    int m_failures = 0;
    int m_outside = 0;
    std::optional<std::string> m_importFolder;
    bool m_journalFailed = false;
};

} // namespace bw
