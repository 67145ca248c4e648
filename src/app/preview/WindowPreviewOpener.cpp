#include "app/preview/WindowPreviewOpener.h"

#include "app/preview/ReportPreviewWindow.h"

#include <QPushButton>

namespace bw {

WindowPreviewOpener::WindowPreviewOpener(Prompter& prompter, UserName currentUserName, QObject* parent)
    : PreviewOpener(parent)
    , m_prompter(prompter)
    , m_currentUserName(std::move(currentUserName))
{
}

QObject* WindowPreviewOpener::showPreview(PrintJob* job)
{
    auto* window = new ReportPreviewWindow(job, m_prompter, m_currentUserName ? m_currentUserName() : QString());
    window->printButton()->setEnabled(false);
    window->show();
    return window;
}

QObject* WindowPreviewOpener::showPreviewModal(PrintJob* job)
{
    auto* window = new ReportPreviewWindow(job, m_prompter, m_currentUserName ? m_currentUserName() : QString());
    window->setModal(true);
    window->exec();
    return window;
}

} // namespace bw
