#include "app/StartUp.h"

#include "app/ScanTab.h"
#include "app/TMainScreen.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>

namespace bw {

QString StartUp::wholePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void StartUp::bringForward(TMainScreen& window, const QString& logPath)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    ScanTab* contents = window.tab(0);
    if (logPath.isEmpty() || contents->scanRunning())
        return;
    if (window.PageControl1Changing())
        window.pageControl()->setCurrentIndex(0);
    contents->choose(wholePath(logPath));
}

} // namespace bw
