#include "actions/DocumentExport.h"

#include "actions/SaveLocation.h"
#include "base/Prompter.h"
#include "session/ScanSession.h"

namespace bw {

DocumentExport::DocumentExport(ScanSession& session, Prompter& prompter, SaveLocation& dialog)
    : m_session(session)
    , m_prompter(prompter)
    , m_dialog(dialog)
{
}

DocumentExport::~DocumentExport() = default;

bool DocumentExport::fail(const QString& text)
{
    m_prompter.error(text);
    m_outcome = Outcome::Failed;
    return true;
}

bool DocumentExport::step(Clock::time_point deadline)
{
    if (!m_rescue) {
        m_dialog.setFolder(m_session.outputDirectory());
        const auto path = m_dialog.ask(m_prompter, dialogTitle());
        if (!path) {
            m_outcome = Outcome::Cancelled;
            return true;
        }
        m_journal = std::make_unique<ImportJournal>(*path);
        m_rescue = std::make_unique<DocumentRescue>(m_session, m_prompter, *m_journal);
        m_rescue->showStart();
        if (!m_journal->open())
            return fail(m_journal->errorText());
        m_rescue->resetDirectory();
    }
    if (!m_rescue->step(deadline))
        return false;
    m_outcome = m_rescue->outcome();
    if (m_outcome == Outcome::Failed)
        return true;
    if (!m_journal->commit())
        return fail(m_journal->errorText());
    m_rescue->showCompletion();
    return true;
}

} // namespace bw
