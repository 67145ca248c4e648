#include "app/preview/WindowPreviewOpener.h"

#include "app/preview/ReportPreviewWindow.h"

#include <QPushButton>

namespace bw {

WindowPreviewOpener::WindowPreviewOpener(Prompter& prompter, QString userName, QObject* parent)
    : PreviewOpener(parent)
    , m_prompter(prompter)
    , m_userName(std::move(userName))
{
}

QObject* WindowPreviewOpener::showPreview(PrintJob* job)
{
    auto* window = new ReportPreviewWindow(job, m_prompter, m_userName);
    window->printButton()->setEnabled(false);
    window->show();
    return window;
}

QObject* WindowPreviewOpener::showPreviewModal(PrintJob* job)
{
    auto* window = new ReportPreviewWindow(job, m_prompter, m_userName);
    window->setModal(true);
    window->exec();
    return window;
}

} // namespace bw
