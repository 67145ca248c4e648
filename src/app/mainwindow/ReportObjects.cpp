#include "app/mainwindow/ReportObjects.h"

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "app/preview/WindowPreviewOpener.h"
#include "reports/BlobReport.h"
#include "reports/ContentsReport.h"
#include "reports/DocumentReport.h"
#include "reports/ExpireReport.h"

namespace bw {

namespace {

ScanTab& tabOf(MainWindow& window, ScanKind kind)
{
    int i = 0;
    while (i + 1 < MainWindow::tabCount && window.tab(i)->traits().kind != kind)
        ++i;
    return *window.tab(i);
}

template <typename R>
std::unique_ptr<R> makeFor(MainWindow& window, ScanKind kind)
{
    ScanTab& tab = tabOf(window, kind);
    auto report = std::make_unique<R>(tab.session());
    // Every report preview opens in the program's own window.
    report->setPreviewOpener(window.previewOpener());
    tab.setReport(report.get());
    return report;
}

} // namespace

ReportObjects::ReportObjects(MainWindow& window)
    : m_contents(makeFor<ContentsReport>(window, ScanKind::Contents))
    , m_documents(makeFor<DocumentReport>(window, ScanKind::Documents))
    , m_expire(makeFor<ExpireReport>(window, ScanKind::Expire))
    , m_blob(makeFor<BlobReport>(window, ScanKind::Structure))
{
}

ReportObjects::~ReportObjects() = default;

} // namespace bw
