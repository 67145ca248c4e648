#pragma once

#include "actions/ActionRun.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace bw {

class ScanSession;

// Runs a tab's actions from the event loop in slices, so the window keeps
// painting and shows the statuses; the session refuses the tab's other
// controls meanwhile. One run at a time.
class ActionDriver : public QObject {
    Q_OBJECT
public:
    static constexpr int sliceMilliseconds = 10;

    explicit ActionDriver(ScanSession& session, QObject* parent = nullptr);
    ~ActionDriver() override;

    // Refused (false) while a run goes on or the session is busy otherwise.
    bool start(std::unique_ptr<ActionRun> run);
    bool running() const { return m_run != nullptr; }

    // Without an event loop (the command line): the whole run at once, the
    // session marked busy meanwhile.
    static ActionRun::Outcome runToEnd(ScanSession& session, ActionRun& run);

signals:
    void finished(ActionRun::Outcome outcome);

private:
    void slice();

    ScanSession& m_session;
    std::unique_ptr<ActionRun> m_run;
    QTimer m_timer;
};

} // namespace bw
