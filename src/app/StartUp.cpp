#include "app/StartUp.h"

#include "app/dialogs/SplashWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>

namespace bw {

QString StartUp::userName()
{
    return SplashWindow::userName().toUpper();
}

QString StartUp::wholePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void StartUp::bringForward(MainWindow& window, const QString& logPath)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    ScanTab* contents = window.tab(0);
    if (logPath.isEmpty() || contents->scanRunning())
        return;
    if (window.canLeaveTab())
        window.tabWidget()->setCurrentIndex(0);
    contents->choose(wholePath(logPath));
}

} // namespace bw
