#pragma once

#include "actions/ActionRun.h"

#include <QString>

#include <memory>

namespace bw {

class Prompter;
class SaveLocation;
class ScanSession;

// What each tab's action button and the output folder button do.
class FileActions {
public:
    // The run behind a tab's action button: the Contents or Expire
    // Statistics export, the document rescue, the backdating.
    static std::unique_ptr<ActionRun> forActionButton(ScanSession& session, Prompter& prompter, SaveLocation& dialog);

    // chooseOutputDirectory: the folder browser on the output directory (a bare
    // drive such as "C:" gets its "\"); a confirmed folder becomes the
    // output directory. Returns whether it changed.
    static bool chooseOutputDirectory(ScanSession& session, Prompter& prompter);
    static QString browseStart(const QString& outputDirectory);
    static QString browseTitle() { return QStringLiteral("Select the Required Output Directory"); }
};

} // namespace bw
