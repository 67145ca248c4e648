#pragma once

#include "BrindlewickVersion.h"

#include <QString>

namespace bw {

class MainWindow;

// What start-up and a later start ask of the running window.
class StartUp {
public:
    static QString title() { return QString::fromUtf8(build::title); }

    // The user's account name in upper case, or "<UNKNOWN>": read once at
    // start-up and handed to the window, whose PDFs carry it as their author.
    static QString userName();

    // A log named on a command line, as a pick shows it: the whole path.
    static QString wholePath(const QString& path);

    // A later start asked the running window to come forward: restored if
    // minimised, raised and activated, whatever its scans are doing. A log
    // handed over is picked on the Contents Check tab when no scan runs
    // there, and that tab is shown when the tabs may change.
    static void bringForward(MainWindow& window, const QString& logPath);
};

} // namespace bw
