#include "actions/ActionDriver.h"

#include "session/ScanSession.h"

namespace bw {

ActionDriver::ActionDriver(ScanSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ActionDriver::slice);
}

ActionDriver::~ActionDriver() = default;

bool ActionDriver::start(std::unique_ptr<ActionRun> run)
{
    if (!run || m_run || m_session.actionRunning())
        return false;
    m_run = std::move(run);
    m_session.setActionRunning(true);
    // The first slice at once: it opens the run's dialog, if any.
    slice();
    return true;
}

void ActionDriver::slice()
{
    if (!m_run)
        return;
    if (!m_run->step(ActionRun::Clock::now() + std::chrono::milliseconds(sliceMilliseconds))) {
        m_timer.start();
        return;
    }
    const ActionRun::Outcome outcome = m_run->outcome();
    m_run.reset();
    m_session.setActionRunning(false);
    emit finished(outcome);
}

ActionRun::Outcome ActionDriver::runToEnd(ScanSession& session, ActionRun& run)
{
    session.setActionRunning(true);
    while (!run.step(ActionRun::Clock::time_point::max())) {
    }
    session.setActionRunning(false);
    return run.outcome();
}

} // namespace bw
