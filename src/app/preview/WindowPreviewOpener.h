#pragma once

#include "report_engine/PreviewOpener.h"

#include <QString>

namespace bw {

class Prompter;

// Opens every report preview in the program's own window,
// ReportPreviewWindow, whose dialogs go through the prompter and whose PDF
// exports carry the user's name as their author.
class WindowPreviewOpener : public PreviewOpener {
    Q_OBJECT
public:
    WindowPreviewOpener(Prompter& prompter, QString userName, QObject* parent = nullptr);

    const QString& userName() const { return m_userName; }

    // Shown modeless with Print disabled until the job is finished.
    QObject* showPreview(PrintJob* job) override;
    QObject* showPreviewModal(PrintJob* job) override;

private:
    Prompter& m_prompter;
    QString m_userName;
};

} // namespace bw
