#pragma once

#include "actions/ActionRun.h"
#include "actions/DocumentRescue.h"
#include "actions/ImportJournal.h"

#include <memory>

namespace bw {

class Prompter;
class SaveLocation;
class ScanSession;

// The Document Rescue tab's Export button: asks for the
// import file's name in the save dialog, opened on the output directory,
// then runs the rescue over every row into that file's journal, which
// replaces an earlier file at the end of a run that wrote a line.
class DocumentExport : public ActionRun {
public:
    DocumentExport(ScanSession& session, Prompter& prompter, SaveLocation& dialog);
    ~DocumentExport() override;

    bool step(Clock::time_point deadline) override;

    static QString dialogTitle() { return QStringLiteral("Enter Name for NWAdmin Import CSV File"); }

private:
    bool fail(const QString& text);

    ScanSession& m_session;
    Prompter& m_prompter;
    SaveLocation& m_dialog;
    std::unique_ptr<ImportJournal> m_journal;
    std::unique_ptr<DocumentRescue> m_rescue;
};

} // namespace bw
