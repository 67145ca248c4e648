#pragma once

#include "actions/ActionRun.h"
#include "base/PathResolver.h"

#include <cstddef>

namespace bw {

class Prompter;
class ScanSession;

// The Unknown - 52 tab's Backdate button: the last-write
// time of every listed BLOB file, in list order, moved back 14 days through
// the two-second DOS form in local time. Files are found from the log's
// folder and through the prefix mappings; the current directory is not
// touched. A file that cannot be opened for writing ends the run there.
// Only an existing regular file below the log's folder or a mapped folder,
// reached without a link, is changed; nothing is ever created.
class BlobBackdate : public ActionRun {
public:
    static constexpr int shiftDays = 14;

    enum class RowResult { Backdated, Failed, EndsRun };

    BlobBackdate(ScanSession& session, Prompter& prompter);

    bool step(Clock::time_point deadline) override;

    // One row; shows its own messages.
    RowResult backdateRow(std::size_t index);

    int failures() const { return m_failures; }
    // Rows whose file lay outside the log's folder and every mapped folder.
    int outsideRows() const { return m_outside; }

private:
    void begin();
    QString counts() const;

    ScanSession& m_session;
    Prompter& m_prompter;
    PathResolver m_resolver;
    bool m_begun = false;
    std::size_t m_next = 0;
    int m_successes = 0;
    int m_failures = 0;
    int m_outside = 0;
};

} // namespace bw
