#include "app/ScanTab.h"

#include "actions/FileActions.h"
#include "app/CellTipDelegate.h"
#include "app/ListHeader.h"
#include "app/RowListModel.h"
#include "app/StatusText.h"
#include "app/UiScale.h"
#include "base/Prompter.h"
#include "lists/SortState.h"

#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace bw {

namespace {

// The dialog matches patterns without regard to letter case, so "*.log"
// also offers ".LOG" files.
constexpr const char* logFilters = "GWCheck Log Files (*.log);;All Files (*)";

template <typename W>
W* named(W* widget, const char* name, const char* hint = nullptr)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (hint) {
        widget->setToolTip(QString::fromLatin1(hint));
        widget->setStatusTip(QString::fromLatin1(hint));
    }
    return widget;
}

QPushButton* button(const char* caption, const char* name, const char* hint)
{
    auto* b = named(new QPushButton(QString::fromLatin1(caption)), name, hint);
    b->setEnabled(false);
    // A focused button answers Enter as well as Space.
    b->setAutoDefault(true);
    return b;
}

} // namespace

ScanTab::ScanTab(const TabTraits& traits, SortState& sort, Prompter& prompter, QString& lastPickedPath, QWidget* parent)
    : QWidget(parent)
    , m_traits(traits)
    , m_prompter(prompter)
    , m_lastPickedPath(lastPickedPath)
    , m_session(kindProfile(traits.kind), sort, prompter)
{
    setObjectName(QString::fromLatin1(traits.sheetName));
    setAcceptDrops(true);
    // An opaque page keeps repaints of its controls from reaching the tab
    // frame behind it.
    setAutoFillBackground(true);
    const KindProfile& profile = m_session.profile();

    auto* grid = new QGridLayout(this);
    auto* logLabel = new QLabel(tr("Selected &Log File"));
    grid->addWidget(logLabel, 0, 0);
    m_logBox = named(new QLineEdit, traits.logBoxName, "Use the Button to Select the Required GWCheck Log File");
    m_logBox->setReadOnly(true);
    grid->addWidget(m_logBox, 0, 1);
    m_pick = named(new QToolButton, traits.pickName, "Select the Required GWCheck Log File");
    m_pick->setText(QStringLiteral("…"));
    logLabel->setBuddy(m_pick);
    grid->addWidget(m_pick, 0, 2);
    int row = 1;
    if (profile.hasOutputDirectory) {
        auto* outputLabel = new QLabel(tr("Selected Ou&tput Directory"));
        grid->addWidget(outputLabel, row, 0);
        m_outputDir = named(new QLineEdit, "EDocOutputDir", "Use the Button to Select the Required Output Directory");
        m_outputDir->setReadOnly(true);
        m_outputDir->setText(m_session.outputDirectory());
        grid->addWidget(m_outputDir, row, 1);
        m_outputDirButton = named(new QToolButton, "SpdBOPDir", "Select the Required Output Directory");
        m_outputDirButton->setText(QStringLiteral("…"));
        outputLabel->setBuddy(m_outputDirButton);
        grid->addWidget(m_outputDirButton, row, 2);
        ++row;
    }

    m_list = named(new QTreeView, traits.listName, "Click Column Heading to Sort Results");
    m_model = new RowListModel(profile, m_session.rows(), this);
    m_list->setHeader(new ListHeader(m_list));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    // A scroll bar that comes and goes with every section would relayout
    // and repaint the whole tab each time.
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSortingEnabled(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setItemDelegate(new CellTipDelegate(m_list));
    QHeaderView* header = m_list->header();
    header->setSectionsClickable(true);
    // The last column takes what a wider window gives the list.
    header->setStretchLastSection(true);
    // The designed widths, grown with the font, and never narrower than the
    // heading with its sort arrow. Every column can be widened by a drag, and
    // a double click on its edge fits it to its contents.
    const UiScale scale(fontMetrics());
    header->setSortIndicatorShown(true);
    const auto columns = profile.columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int section = static_cast<int>(c);
        header->setSectionResizeMode(section, QHeaderView::Interactive);
        header->resizeSection(section, std::max(scale.x(columns[c].width), header->sectionSizeHint(section)));
    }
    header->setSortIndicatorShown(false);
    grid->addWidget(m_list, row++, 0, 1, 3);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(tr("Program Status")));
    m_status = named(new StatusText(Qt::AlignLeft), traits.statusName);
    statusRow->addWidget(m_status, 1);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(scale.x(80));
    m_progress->setVisible(false);
    // The counter is as wide as its text; the status text has the rest.
    m_lineCounter = named(new StatusText(Qt::AlignRight), traits.lineCounterName);
    m_lineCounter->setFixedWidth(0);
    statusRow->addWidget(m_lineCounter);
    // It changes with every slice: painting its own background spares
    // repainting the tab behind it each time.
    m_progress->setAutoFillBackground(true);
    grid->addLayout(statusRow, row++, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    m_parse = button("&Parse", traits.parseName, "Parse the Selected GWCheck Log File");
    m_continue = button("C&ontinue", traits.continueName, "Continue Parsing the GWCheck Log File");
    m_print = button("P&rint", traits.printName, "Print the Results for this Section of the Log File");
    m_action = button(traits.actionCaption, traits.actionName, traits.actionHint);
    for (QPushButton* b : {m_parse, m_continue, m_print, m_action})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_progress);
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(m_pick, &QToolButton::clicked, this, &ScanTab::pickClick);
    connect(m_parse, &QPushButton::clicked, this, &ScanTab::parseClick);
    connect(m_continue, &QPushButton::clicked, this, &ScanTab::continueClick);
    connect(m_print, &QPushButton::clicked, this, &ScanTab::printClick);
    connect(m_action, &QPushButton::clicked, this, &ScanTab::actionClick);
    if (m_outputDirButton)
        connect(m_outputDirButton, &QToolButton::clicked, this, &ScanTab::SpdBOPDirClick);
    connect(header, &QHeaderView::sectionClicked, this, &ScanTab::columnClick);

    connect(&m_session, &ScanSession::logPathChanged, this, [this] { m_logBox->setText(m_session.logPath()); });
    connect(&m_session, &ScanSession::outputDirectoryChanged, this, [this] {
        if (m_outputDir)
            m_outputDir->setText(m_session.outputDirectory());
    });
    connect(&m_session, &ScanSession::statusChanged, this, [this] { m_status->setText(m_session.status()); });
    connect(&m_session, &ScanSession::lineCounterChanged, this, [this] {
        const QString& text = m_session.lineCounter();
        // The width moves only when the count gains a digit, so the layout
        // rarely has to.
        const int needed = text.isEmpty() ? 0 : m_lineCounter->fontMetrics().horizontalAdvance(text) + 4;
        if (needed != m_lineCounter->width())
            m_lineCounter->setFixedWidth(needed);
        m_lineCounter->setText(text);
    });
    connect(&m_session, &ScanSession::controlsChanged, this, &ScanTab::showControls);
    connect(&m_session, &ScanSession::sortChanged, this, &ScanTab::showSort);
    connect(&m_session, &ScanSession::progressChanged, this,
            [this] { m_progress->setValue(static_cast<int>(m_session.progress() * 100)); });
    connect(&m_session, &ScanSession::scanPaused, this, [this] {
        // Enter goes on to the next section.
        if (isVisible())
            m_continue->setFocus();
        emit scanPaused();
    });
    connect(&m_session, &ScanSession::scanEnded, this, &ScanTab::scanEnded);
    showControls();
}

ScanTab::~ScanTab()
{
    // The model watches the session's rows: it must go before they do, not
    // later with the other children.
    m_list->setModel(nullptr);
    delete m_model;
}

void ScanTab::pickClick()
{
    const auto path = m_prompter.openFile(QString::fromLatin1(m_traits.dialogTitle), QString::fromLatin1(logFilters),
                                          m_lastPickedPath);
    if (path)
        choose(*path);
}

void ScanTab::choose(const QString& path)
{
    if (!m_session.choose(path))
        return;
    m_lastPickedPath = path;
    if (m_traits.focusParseAfterPick)
        m_parse->setFocus();
}

void ScanTab::parseClick()
{
    m_progress->setValue(0);
    m_session.parse();
}

void ScanTab::continueClick()
{
    m_session.continueScan();
}

void ScanTab::setReport(BandReport* report)
{
    m_report = report;
}

void ScanTab::printClick()
{
    // The report of the rows listed now, in their order, in the program's
    // preview; the window stays usable while it is open.
    if (m_report && m_session.isEnabled(ScanSession::Control::Print))
        m_report->preview();
}

void ScanTab::actionClick()
{
    if (m_session.isEnabled(ScanSession::Control::Action))
        m_actions.start(FileActions::forActionButton(m_session, m_prompter, *m_saveDialog));
}

void ScanTab::SpdBOPDirClick()
{
    if (!m_session.actionRunning())
        FileActions::SpdBOPDirClick(m_session, m_prompter);
}

void ScanTab::columnClick(int column)
{
    // The header has moved its arrow already; an ignored click puts it back.
    if (!m_session.columnClick(column))
        showSort();
}

void ScanTab::showControls()
{
    using Control = ScanSession::Control;
    m_parse->setEnabled(m_session.isEnabled(Control::Parse));
    // Left to itself, focus would move from a disabled Continue to the next
    // widget, the tab bar, and back at the next pause, repainting the tabs
    // at every section: it is let go instead, and the pause gives it back.
    const bool continueEnabled = m_session.isEnabled(Control::Continue);
    if (!continueEnabled && m_continue->hasFocus())
        m_continue->clearFocus();
    m_continue->setEnabled(continueEnabled);
    m_print->setEnabled(m_session.isEnabled(Control::Print));
    m_action->setEnabled(m_session.isEnabled(Control::Action));
    m_pick->setEnabled(m_session.isEnabled(Control::Pick));
    // An action's rows must stay where they are, and in its folder.
    if (m_outputDirButton)
        m_outputDirButton->setEnabled(!m_session.actionRunning());
    m_list->header()->setSectionsClickable(!m_session.actionRunning());
    m_progress->setVisible(m_session.scanRunning());
}

void ScanTab::showSort()
{
    QHeaderView* header = m_list->header();
    header->setSortIndicatorShown(m_session.sortShown());
    header->setSortIndicator(m_session.sort().column, m_session.sort().direction > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

QString ScanTab::droppedLog(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

void ScanTab::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_session.isEnabled(ScanSession::Control::Pick) && !droppedLog(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ScanTab::dropEvent(QDropEvent* event)
{
    const QString path = droppedLog(event->mimeData());
    if (path.isEmpty() || !m_session.isEnabled(ScanSession::Control::Pick))
        return;
    event->acceptProposedAction();
    choose(QDir::toNativeSeparators(path));
}

} // namespace bw
