#pragma once

#include "base/StoreFiles.h"

#include <QString>

#include <string>
#include <string_view>

namespace bw {

// The rescue's import lines, on the disk before their sources are renamed.
// Each line is appended and synced to a journal beside the import file
// ("NAME.journal"), so that after a crash, a signal or a full disk every
// renamed source still has its line. A run's end folds the journal into the
// import file, written whole, and removes it; a run that wrote no line
// leaves an earlier import file as it was. A journal left by an interrupted
// run is carried on by the next run into the same import file, so its lines
// are not lost either. Only one run at a time may write a journal.
class ImportJournal {
public:
    explicit ImportJournal(const QString& importFile);
    // A journal that holds no line is removed; one with lines stays for the
    // next run.
    ~ImportJournal();
    ImportJournal(const ImportJournal&) = delete;
    ImportJournal& operator=(const ImportJournal&) = delete;

    // Opens (or carries on) the journal; false with errorText() set.
    bool open();
    // One line, synced; false with errorText() set.
    bool append(std::string_view line);
    // Takes back the line appended last (its row failed after all).
    bool retractLast();
    // Writes the import file from the journal when it holds a line (one
    // line per target, the latest) and removes the journal; false with
    // errorText() set, the journal then kept.
    bool commit();

    static QString journalPath(const QString& importFile);

    // The file's name and the system's reason, for the error box.
    QString errorText() const { return m_error; }

    // The import lines of the text, one per target: a later line for the
    // same document and target replaces an earlier one in its place.
    static std::string folded(std::string_view text);

private:
    // The import file's name (the journal lies beside it) and the reason.
    bool fail(int code);

    QString m_importFile;
    std::string m_path;
    FileHandle m_file;
    qint64 m_size = 0;
    qint64 m_sizeBeforeLast = -1;
    int m_lines = 0;
    QString m_error;
};

} // namespace bw
