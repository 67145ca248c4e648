#include "app/TMainScreen.h"

#include "app/ContentsCompareDialog.h"
#include "app/PathMappingsDialog.h"
#include "app/ScanTab.h"
#include "app/TQRMDIPreviewInterface.h"
#include "app/TSplash.h"
#include "app/UiScale.h"
#include "base/CurrentUserName.h"
#include "base/Prompter.h"
#include "components/FolderBrowseDialog.h"
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

TMainScreen::TMainScreen(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_mappings(PathMappingsDialog::loadSettings())
{
    setObjectName(QStringLiteral("MainScreen"));
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    for (int i = 0; i < tabCount; ++i) {
        const TabTraits& traits = tabTraits[i];
        auto* tab = new ScanTab(traits, m_sort, m_prompter, m_lastPickedPath);
        m_tabs[static_cast<std::size_t>(i)] = tab;
        PageControl1->addTab(tab, QString::fromLatin1(traits.title));
        connect(&tab->session(), &ScanSession::controlsChanged, this, &TMainScreen::showLocks);
        tab->setSaveDialog(m_saveDialog);
        tab->session().setPathMappings(m_mappings);
        connect(tab, &ScanTab::pathMappingsWanted, this, &TMainScreen::PathMappings1Click);
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        // Whatever asks for another tab while a scan runs, the scanning tab stays.
        if (index != m_activeIndex && !closeAllowed())
            PageControl1->setCurrentIndex(m_activeIndex);
        else
            m_activeIndex = index;
    });
    layout->addWidget(PageControl1, 1);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    BClose = new QPushButton(tr("Clo&se"));
    BClose->setObjectName(QStringLiteral("BClose"));
    BClose->setToolTip(tr("Exit the Application"));
    BClose->setStatusTip(tr("Exit the Application"));
    side->addWidget(BClose);
    side->addSpacing(30);
    layout->addLayout(side);
    setCentralWidget(central);
    connect(BClose, &QPushButton::clicked, this, &TMainScreen::BCloseClick);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* mappings = file->addAction(tr("Path &Mappings..."));
    mappings->setObjectName(QStringLiteral("PathMappings1"));
    connect(mappings, &QAction::triggered, this, &TMainScreen::PathMappings1Click);
    QAction* compare = file->addAction(tr("&Compare Contents Logs..."));
    compare->setObjectName(QStringLiteral("compareContentsLogs"));
    connect(compare, &QAction::triggered, this, &TMainScreen::openContentsCompare);
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &TMainScreen::Exit1Click);
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
    connect(about, &QAction::triggered, this, &TMainScreen::About1Click);

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

    FolderBrowseDialog1 = new FolderBrowseDialog(m_prompter, this);
    FolderBrowseDialog1->setObjectName(QStringLiteral("FolderBrowseDialog1"));
    FolderBrowseDialog1->setNewFolderVisible(false);
    FolderBrowseDialog1->setNewFolderEnabled(false);
    FolderBrowseDialog1->setLabelCaptions(withoutPortuguese(FolderBrowseDialog::builtInLabelCaptions()));
    FolderBrowseDialog1->setNewFolderCaptions(withoutPortuguese(FolderBrowseDialog::builtInNewFolderCaptions()));

    FormCreate();
}

TMainScreen::~TMainScreen()
{
    // No preview may reach this window's prompter once it is gone.
    TQRMDIPreviewInterface::restore();
    // The pages go with the window; their removal must not reach the guard.
    disconnect(PageControl1, nullptr, this, nullptr);
}

void TMainScreen::FormCreate()
{
    m_sort.reset();
    PageControl1->setCurrentIndex(0);
    // Every report preview opens in the program's own window.
    TQRMDIPreviewInterface::install(m_prompter, [] { return CurrentUserName(); });
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

ScanTab* TMainScreen::activeTab() const
{
    return m_tabs[static_cast<std::size_t>(std::max(0, PageControl1->currentIndex()))];
}

bool TMainScreen::closeAllowed() const
{
    // Every scan disables its Close while it runs or waits.
    for (const ScanTab* tab : m_tabs) {
        if (!tab->session().isEnabled(ScanSession::Control::Close))
            return false;
    }
    return true;
}

bool TMainScreen::PageControl1Changing() const
{
    return !activeTab()->session().isEnabled(ScanSession::Control::Continue) && closeAllowed();
}

void TMainScreen::showLocks()
{
    BClose->setEnabled(closeAllowed());
    // The other tabs cannot be reached while a scan runs or waits.
    const bool allowed = PageControl1Changing();
    for (int i = 0; i < tabCount; ++i) {
        // Setting a tab's state lays the tab bar out and repaints it even when
        // nothing changes, and the controls change at every pause.
        const bool enabled = allowed || i == PageControl1->currentIndex();
        if (PageControl1->isTabEnabled(i) != enabled)
            PageControl1->setTabEnabled(i, enabled);
    }
}

void TMainScreen::BCloseClick()
{
    close();
}

void TMainScreen::Exit1Click()
{
    close();
}

void TMainScreen::About1Click()
{
    TSplash about(this);
    about.openAbout();
}

void TMainScreen::PathMappings1Click()
{
    PathMappingsDialog dialog(m_mappings, m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        setPathMappings(dialog.mappings());
}

void TMainScreen::openContentsCompare()
{
    // The Contents tab's log, once it has been scanned.
    const ScanSession& contents = m_tabs[0]->session();
    const QString newer = contents.sortShown() ? contents.logPath() : QString();
    auto* dialog = new ContentsCompareDialog(m_prompter, newer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TMainScreen::setPathMappings(const PathMappings& mappings)
{
    m_mappings = mappings;
    PathMappingsDialog::saveSettings(mappings);
    for (ScanTab* tab : m_tabs) {
        tab->session().setPathMappings(mappings);
        tab->showImportForm();
    }
}

bool TMainScreen::event(QEvent* event)
{
    // Hints go to the first status-bar panel, which follows the pointer.
    if (event->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainScreen::closeEvent(QCloseEvent* event)
{
    if (closeAllowed()) {
        TQRMDIPreviewInterface::restore();
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
