#include "app/TQRMDIPreviewInterface.h"

#include "app/TfrmNetScapePreview.h"
#include "report_engine/PreviewInterfaceClass.h"

#include <QPushButton>

namespace bw {

TQRMDIPreviewInterface::TQRMDIPreviewInterface(Prompter& prompter, UserName currentUserName)
    : m_prompter(prompter)
    , m_currentUserName(std::move(currentUserName))
{
}

QObject* TQRMDIPreviewInterface::ShowPreview(PrintJob* job)
{
    auto* window = new TfrmNetScapePreview(job, m_prompter, m_currentUserName ? m_currentUserName() : QString());
    window->btnPrint->setEnabled(false);
    window->show();
    return window;
}

QObject* TQRMDIPreviewInterface::ShowPreviewModal(PrintJob* job)
{
    auto* window = new TfrmNetScapePreview(job, m_prompter, m_currentUserName ? m_currentUserName() : QString());
    window->setModal(true);
    window->exec();
    return window;
}

void TQRMDIPreviewInterface::install(Prompter& prompter, UserName currentUserName)
{
    PreviewInterfaceClass::set([&prompter, currentUserName] {
        return std::make_unique<TQRMDIPreviewInterface>(prompter, currentUserName);
    });
}

void TQRMDIPreviewInterface::restore()
{
    PreviewInterfaceClass::setStandard();
}

} // namespace bw
