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

    WindowPreviewOpener(Prompter& prompter, UserName currentUserName, QObject* parent = nullptr);

    // Shown modeless with Print disabled until the job is finished.
    QObject* showPreview(PrintJob* job) override;
    QObject* showPreviewModal(PrintJob* job) override;

private:
    Prompter& m_prompter;
    UserName m_currentUserName;
};

} // namespace bw
