#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace bw::test {

// Lets the event loop run until the condition holds (or a few seconds pass).
template <typename Pred>
bool waitUntil(Pred pred, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace bw::test
