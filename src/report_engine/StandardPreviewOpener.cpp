#include "report_engine/StandardPreviewOpener.h"

#include "report_engine/StandardPreviewWindow.h"

#include <QEventLoop>

namespace bw {

QObject* StandardPreviewOpener::showPreview(PrintJob* job)
{
    auto* window = new StandardPreviewWindow(job);
    window->show();
    return window;
}

QObject* StandardPreviewOpener::showPreviewModal(PrintJob* job)
{
    auto* window = new StandardPreviewWindow(job);
    window->setModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(window, &StandardPreviewWindow::closed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
    return window;
}

} // namespace bw
