#pragma once

#include "report_engine/PreviewOpener.h"

#include <QString>

#include <functional>

namespace bw {

class Prompter;

// Opens every report preview in the program's own window,
// ReportPreviewWindow, whose dialogs go through the prompter.
class WindowPreviewOpener : public PreviewOpener {
    Q_OBJECT
public:
    using UserName = std::function<QString()>;

    WindowPreviewOpener(Prompter& prompter, UserName currentUserName);

    // Shown modeless with Print disabled until the job is finished.
    QObject* showPreview(PrintJob* job) override;
    QObject* showPreviewModal(PrintJob* job) override;

    // Makes this the engine's preview class; restore() puts back the
    // engine's standard one.
    static void install(Prompter& prompter, UserName currentUserName);
    static void restore();

private:
    Prompter& m_prompter;
    UserName m_currentUserName;
};

} // namespace bw
