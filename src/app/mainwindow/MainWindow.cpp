#include "app/mainwindow/MainWindow.h"

#include "app/dialogs/ContentsCompareDialog.h"
#include "app/dialogs/PathMappingsDialog.h"
#include "app/dialogs/SplashWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "app/preview/WindowPreviewOpener.h"
#include "app/widgets/FolderBrowser.h"
#include "app/widgets/UiScale.h"
#include "base/Prompter.h"
#include "report_engine/CsvExportFilter.h"
#include "report_engine/HtmlExportFilter.h"
#include "report_engine/TextExportFilter.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace bw {

namespace {

// The window's caption lists are the built-in ones without Portuguese.
QStringList withoutPortuguese(QStringList lines)
{
    lines.removeIf([](const QString& line) { return line.startsWith(u"0416="); });
    return lines;
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, QString userName, QWidget* parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_previewOpener(std::make_unique<WindowPreviewOpener>(prompter, std::move(userName)))
    , m_mappings(PathMappingsDialog::loadSettings())
{
    setObjectName(QStringLiteral("MainScreen"));
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    m_tabWidget = new QTabWidget;
    m_tabWidget->setObjectName(QStringLiteral("PageControl1"));
    m_tabWidget->setDocumentMode(true);
    for (int i = 0; i < tabCount; ++i) {
        const TabTraits& traits = tabTraits[i];
        auto* tab = new ScanTab(traits, m_sort, m_prompter, m_lastPickedPath);
        m_tabs[static_cast<std::size_t>(i)] = tab;
        m_tabWidget->addTab(tab, QString::fromLatin1(traits.title));
        connect(&tab->session(), &ScanSession::controlsChanged, this, &MainWindow::showLocks);
        tab->setSaveLocation(m_saveLocation);
        tab->session().setPathMappings(m_mappings);
        connect(tab, &ScanTab::pathMappingsWanted, this, &MainWindow::onPathMappingsTriggered);
    }
    connect(m_tabWidget, &QTabWidget::currentChanged, this, [this](int index) {
        // Whatever asks for another tab while a scan runs, the scanning tab stays.
        if (index != m_activeIndex && !closeAllowed())
            m_tabWidget->setCurrentIndex(m_activeIndex);
        else
            m_activeIndex = index;
    });
    layout->addWidget(m_tabWidget, 1);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    m_closeButton = new QPushButton(tr("Clo&se"));
    m_closeButton->setObjectName(QStringLiteral("BClose"));
    m_closeButton->setToolTip(tr("Exit the Application"));
    m_closeButton->setStatusTip(tr("Exit the Application"));
    side->addWidget(m_closeButton);
    side->addSpacing(30);
    layout->addLayout(side);
    setCentralWidget(central);
    connect(m_closeButton, &QPushButton::clicked, this, &MainWindow::onCloseClicked);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* mappings = file->addAction(tr("Path &Mappings..."));
    mappings->setObjectName(QStringLiteral("PathMappings1"));
    connect(mappings, &QAction::triggered, this, &MainWindow::onPathMappingsTriggered);
    QAction* compare = file->addAction(tr("&Compare Contents Logs..."));
    compare->setObjectName(QStringLiteral("compareContentsLogs"));
    connect(compare, &QAction::triggered, this, &MainWindow::openContentsCompare);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &MainWindow::onExitTriggered);
    // F10 opens the menu bar, as on most desktops.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this, file] {
        menuBar()->setActiveAction(file->menuAction());
    });
    // Find works on the active tab's list; F3 and Shift+F3 as on most desktops.
    QMenu* edit = menuBar()->addMenu(tr("Ed&it"));
    QAction* find = edit->addAction(tr("&Find..."));
    find->setObjectName(QStringLiteral("Find1"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] { activeTab()->openFind(); });
    QAction* next = edit->addAction(tr("Find &Next"));
    next->setObjectName(QStringLiteral("FindNext1"));
    next->setShortcut(QKeySequence(Qt::Key_F3));
    connect(next, &QAction::triggered, this, [this] { activeTab()->findNext(); });
    QAction* previous = edit->addAction(tr("Find &Previous"));
    previous->setObjectName(QStringLiteral("FindPrevious1"));
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(previous, &QAction::triggered, this, [this] { activeTab()->findPrevious(); });
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* about = help->addAction(tr("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &MainWindow::onAboutTriggered);

    auto* status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    m_hintPanel = new QLabel;
    m_hintPanel->setObjectName(QStringLiteral("hintPanel"));
    const UiScale scale(fontMetrics());
    m_hintPanel->setFixedWidth(scale.x(345));
    auto* second = new QLabel;
    second->setFixedWidth(scale.x(50));
    status->addWidget(m_hintPanel);
    status->addWidget(second);
    setStatusBar(status);

    m_folderBrowser = new FolderBrowser(m_prompter, this);
    m_folderBrowser->setObjectName(QStringLiteral("FolderBrowseDialog1"));
    m_folderBrowser->setNewFolderVisible(false);
    m_folderBrowser->setNewFolderEnabled(false);
    m_folderBrowser->setLabelCaptions(withoutPortuguese(FolderBrowser::builtInLabelCaptions()));
    m_folderBrowser->setNewFolderCaptions(withoutPortuguese(FolderBrowser::builtInNewFolderCaptions()));

    createWidgets();
}

MainWindow::~MainWindow()
{
    // The pages go with the window; their removal must not reach the guard.
    disconnect(m_tabWidget, nullptr, this, nullptr);
}

void MainWindow::createWidgets()
{
    m_sort.reset();
    m_tabWidget->setCurrentIndex(0);
    m_exportFilters.emplace_back(TextExportFilter::entry());
    m_exportFilters.emplace_back(CsvExportFilter::entry(u','));
    m_exportFilters.emplace_back(HtmlExportFilter::entry());
    setWindowTitle(QStringLiteral("Brindlewick"));
    // The designed size, grown with the font; it is also the smallest the
    // window may be made, so that nothing in it is cut.
    const UiScale scale(fontMetrics());
    setMinimumSize(QSize(scale.x(714), scale.y(476)).expandedTo(minimumSizeHint()));
    resize(minimumSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

ScanTab* MainWindow::activeTab() const
{
    return m_tabs[static_cast<std::size_t>(std::max(0, m_tabWidget->currentIndex()))];
}

bool MainWindow::closeAllowed() const
{
    // Every scan disables its Close while it runs or waits.
    for (const ScanTab* tab : m_tabs) {
        if (!tab->session().isEnabled(ScanSession::Control::Close))
            return false;
    }
    return true;
}

bool MainWindow::canLeaveTab() const
{
    return !activeTab()->session().isEnabled(ScanSession::Control::Continue) && closeAllowed();
}

void MainWindow::showLocks()
{
    m_closeButton->setEnabled(closeAllowed());
    // The other tabs cannot be reached while a scan runs or waits.
    const bool allowed = canLeaveTab();
    for (int i = 0; i < tabCount; ++i) {
        // Setting a tab's state lays the tab bar out and repaints it even when
        // nothing changes, and the controls change at every pause.
        const bool enabled = allowed || i == m_tabWidget->currentIndex();
        if (m_tabWidget->isTabEnabled(i) != enabled)
            m_tabWidget->setTabEnabled(i, enabled);
    }
}

void MainWindow::onCloseClicked()
{
    close();
}

void MainWindow::onExitTriggered()
{
    close();
}

void MainWindow::onAboutTriggered()
{
    SplashWindow about(this);
    about.openAbout();
}

void MainWindow::onPathMappingsTriggered()
{
    PathMappingsDialog dialog(m_mappings, m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        setPathMappings(dialog.mappings());
}

void MainWindow::openContentsCompare()
{
    // The Contents tab's log, once it has been scanned.
    const ScanSession& contents = m_tabs[0]->session();
    const QString newer = contents.sortShown() ? contents.logPath() : QString();
    auto* dialog = new ContentsCompareDialog(m_prompter, newer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MainWindow::setPathMappings(const PathMappings& mappings)
{
    m_mappings = mappings;
    PathMappingsDialog::saveSettings(mappings);
    for (ScanTab* tab : m_tabs) {
        tab->session().setPathMappings(mappings);
        tab->showImportForm();
    }
}

bool MainWindow::event(QEvent* event)
{
    // Hints go to the first status-bar panel, which follows the pointer.
    if (event->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closeAllowed()) {
        // No later preview may reach this window's prompter.
        m_previewOpener.reset();
        event->accept();
        return;
    }
    event->ignore();
    if (activeTab()->session().actionRunning())
        m_prompter.message(tr("Please Wait until the Running %1 Completes")
                               .arg(activeTab()->actionButton()->text().remove(u'&')));
    else
        m_prompter.message(QString::fromLatin1(activeTab()->traits().closeRefusedMessage));
}

} // namespace bw
