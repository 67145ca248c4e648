#include "app/mainwindow/ScanTab.h"

#include "actions/FileActions.h"
#include "app/lists/CellTipDelegate.h"
#include "app/lists/ListHeader.h"
#include "app/lists/RowListModel.h"
#include "app/lists/RowListView.h"
#include "app/mainwindow/FindBar.h"
#include "app/mainwindow/RowFinder.h"
#include "app/mainwindow/StatusText.h"
#include "app/widgets/UiScale.h"
#include "app/widgets/WidgetPrompter.h"
#include "base/DisplayText.h"
#include "base/Prompter.h"
#include "lists/SortState.h"
#include "report_engine/PrintJob.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
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
#include <QStatusTipEvent>
#include <QStyle>
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

    m_list = named(new RowListView, traits.listName, "Click Column Heading to Sort Results");
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
    // The widest text column takes what a wider window gives the list, the
    // others keep their fitted widths.
    header->setStretchLastSection(false);
    m_stretchColumn = std::clamp(traits.stretchColumn, 0, static_cast<int>(profile.columns().size()) - 1);
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
    m_stretchWidth = header->sectionSize(m_stretchColumn);
    m_list->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (m_fitting)
            return;
        // A drag on the widest column sets its width until the list is
        // resized; after a drag on another, the widest takes up the room.
        if (section == m_stretchColumn)
            m_stretchWidth = size;
        else
            fitColumns();
    });
    grid->addWidget(m_list, row++, 0, 1, 3);

    m_findBar = new FindBar;
    m_findBar->setVisible(false);
    grid->addWidget(m_findBar, row++, 0, 1, 3);
    connect(m_findBar, &FindBar::textChanged, this, [this] {
        const QModelIndex current = m_list->currentIndex();
        find(current.isValid() ? current.row() : 0, true);
    });
    connect(m_findBar, &FindBar::nextRequested, this, &ScanTab::findNext);
    connect(m_findBar, &FindBar::previousRequested, this, &ScanTab::findPrevious);
    connect(m_findBar, &FindBar::closeRequested, this, &ScanTab::closeFind);

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

    connect(m_pick, &QToolButton::clicked, this, &ScanTab::onPickClicked);
    connect(m_parse, &QPushButton::clicked, this, &ScanTab::onParseClicked);
    connect(m_continue, &QPushButton::clicked, this, &ScanTab::onContinueClicked);
    connect(m_print, &QPushButton::clicked, this, &ScanTab::onPrintClicked);
    connect(m_action, &QPushButton::clicked, this, &ScanTab::onActionClicked);
    if (m_outputDirButton)
        connect(m_outputDirButton, &QToolButton::clicked, this, &ScanTab::chooseOutputDirectory);
    connect(header, &QHeaderView::sectionClicked, this, &ScanTab::onColumnClicked);

    connect(&m_session, &ScanSession::logPathChanged, this, [this] { m_logBox->setText(m_session.logPath()); });
    connect(&m_session, &ScanSession::outputDirectoryChanged, this, [this] {
        if (m_outputDir)
            m_outputDir->setText(m_session.outputDirectory());
        showImportForm();
    });
    showImportForm();
    connect(&m_session, &ScanSession::statusChanged, this, [this] {
        m_status->setText(m_session.status());
        // Logs of some kinds say so when a section starts, before any row.
        if (m_session.status().endsWith(u"Section Found"))
            m_sawSection = true;
    });
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
        m_sawSection = true;
        fitCaptionColumn();
        // Enter goes on to the next section.
        if (isVisible())
            m_continue->setFocus();
        emit scanPaused();
    });
    connect(&m_session, &ScanSession::scanEnded, this, [this] {
        fitCaptionColumn();
        // An empty list after a whole log says why, unless the error box did.
        if (!m_session.scan().failed() && !m_sawSection && m_session.rows().empty())
            m_list->setPlaceholderText(QString::fromLatin1(m_traits.noSectionText));
        // A log that could not be read leaves the user to pick another.
        if (m_session.scan().failed() && isVisible())
            m_pick->setFocus();
        emit scanEnded();
    });
    connect(&m_actions, &ActionDriver::finished, this, &ScanTab::actionFinished);
    if (auto* widgets = dynamic_cast<WidgetPrompter*>(&m_prompter)) {
        m_runMessages.setBoxes({[widgets](const QString& text, const QString& checkBox) {
                                    return widgets->messageWithCheckBox(text, checkBox);
                                },
                                [widgets](const QString& text, const QString& button) {
                                    return widgets->messageWithButton(text, button);
                                }});
    }
    showControls();
}

ScanTab::~ScanTab()
{
    // The model watches the session's rows: it must go before they do, not
    // later with the other children.
    m_list->setModel(nullptr);
    delete m_model;
}

void ScanTab::onPickClicked()
{
    const auto path = m_prompter.openFile(QString::fromLatin1(m_traits.dialogTitle), QString::fromLatin1(logFilters),
                                          m_lastPickedPath);
    if (path)
        choose(*path);
}

QTreeView* ScanTab::list() const
{
    return m_list;
}

void ScanTab::choose(const QString& path)
{
    if (!m_session.choose(path)) {
        // Focus would otherwise fall to the tab bar.
        m_pick->setFocus();
        return;
    }
    m_lastPickedPath = path;
    m_list->setPlaceholderText({});
    // The next dialog with no folder of its own opens beside the log.
    if (auto* widgets = dynamic_cast<WidgetPrompter*>(&m_prompter))
        widgets->setLastFolder(QFileInfo(path).absolutePath());
    if (m_traits.focusParseAfterPick)
        m_parse->setFocus();
}

void ScanTab::onParseClicked()
{
    m_progress->setValue(0);
    m_sawSection = false;
    m_list->setPlaceholderText({});
    m_session.parse();
}

void ScanTab::onContinueClicked()
{
    m_session.continueScan();
}

void ScanTab::setReport(BandReport* report)
{
    m_report = report;
}

void ScanTab::onPrintClicked()
{
    // The report of the rows listed now, in their order, in the program's
    // preview; the window stays usable while it is open.
    if (!m_report || !m_session.isEnabled(ScanSession::Control::Print))
        return;
    const bool atPause = m_session.isEnabled(ScanSession::Control::Continue);
    PrintJob* job = m_report->preview();
    // Closing a preview opened at a pause leaves Enter on Continue, not on
    // Print, which would open another. The job goes with its preview.
    if (atPause && job) {
        connect(job, &QObject::destroyed, this, [this] {
            if (m_continue->isEnabled() && isVisible())
                m_continue->setFocus();
        });
    }
}

void ScanTab::showImportForm()
{
    if (!m_outputDir)
        return;
    m_outputDir->setToolTip(tr("Use the Button to Select the Required Output Directory") + u'\n' +
                            m_session.importPathNote());
}

void ScanTab::onActionClicked()
{
    if (!m_session.isEnabled(ScanSession::Control::Action))
        return;
    if (m_outputDir) {
        showImportForm();
        QStatusTipEvent note(m_session.importPathNote());
        QCoreApplication::sendEvent(window(), &note);
    }
    m_runMessages.begin();
    m_actions.start(FileActions::forActionButton(m_session, m_runMessages, *m_saveLocation));
}

void ScanTab::actionFinished(ActionRun::Outcome outcome)
{
    if (outcome == ActionRun::Outcome::Cancelled)
        return;
    const ScanKind kind = m_traits.kind;
    // The two exports end without a word of their own.
    if (outcome == ActionRun::Outcome::Succeeded && (kind == ScanKind::Contents || kind == ScanKind::Expire)) {
        const QString file = QDir::toNativeSeparators(QDir(m_saveLocation->folder()).filePath(m_saveLocation->name()));
        const std::size_t count = m_session.rows().size();
        m_session.showActionStatus(count == 1 ? tr("Exported 1 row to %1").arg(file)
                                              : tr("Exported %1 rows to %2").arg(count).arg(file));
    }
    if (m_runMessages.showSummary(m_session.status()))
        emit pathMappingsWanted();
}

void ScanTab::openFind()
{
    if (!m_findBar->isVisible()) {
        QWidget* focus = QApplication::focusWidget();
        m_beforeFind = focus && isAncestorOf(focus) ? focus : nullptr;
        m_findBar->setVisible(true);
    }
    m_findBar->textBox()->setFocus(Qt::ShortcutFocusReason);
    m_findBar->textBox()->selectAll();
}

void ScanTab::closeFind()
{
    if (!m_findBar->isVisible())
        return;
    const bool hadFocus = m_findBar->isAncestorOf(QApplication::focusWidget());
    m_findBar->setVisible(false);
    if (!hadFocus)
        return;
    // At a pause Enter should go on with the scan, as before Find.
    if (m_continue->isEnabled())
        m_continue->setFocus();
    else if (m_beforeFind && m_beforeFind->isEnabled() && m_beforeFind->isVisible())
        m_beforeFind->setFocus();
    else
        m_list->setFocus();
}

void ScanTab::findNext()
{
    if (!m_findBar->isVisible() || m_findBar->text().isEmpty()) {
        openFind();
        return;
    }
    const QModelIndex current = m_list->currentIndex();
    find(current.isValid() ? current.row() + 1 : 0, true);
}

void ScanTab::findPrevious()
{
    if (!m_findBar->isVisible() || m_findBar->text().isEmpty()) {
        openFind();
        return;
    }
    const QModelIndex current = m_list->currentIndex();
    find(current.isValid() ? current.row() - 1 : m_model->rowCount() - 1, false);
}

void ScanTab::find(int start, bool forward)
{
    const RowFinder finder(m_findBar->text());
    const int rowCount = m_model->rowCount();
    // Past either end the search goes round.
    if (rowCount > 0)
        start = (start % rowCount + rowCount) % rowCount;
    const RowFinder::Hit hit = finder.find(m_session.rows(), rowCount, m_model->columnCount(), start, forward);
    m_findBar->showResult(hit.number, hit.count);
    if (hit.row < 0)
        return;
    // Selecting a row changes neither the rows nor their order.
    const QModelIndex index = m_model->index(hit.row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

bool ScanTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

void ScanTab::fitColumns()
{
    QHeaderView* header = m_list->header();
    if (m_fitting || m_stretchColumn >= header->count())
        return;
    int others = 0;
    for (int c = 0; c < header->count(); ++c) {
        if (c != m_stretchColumn && !header->isSectionHidden(c))
            others += header->sectionSize(c);
    }
    const int width = std::max(m_stretchWidth, m_list->viewport()->width() - others);
    if (header->sectionSize(m_stretchColumn) == width)
        return;
    m_fitting = true;
    header->resizeSection(m_stretchColumn, width);
    m_fitting = false;
}

void ScanTab::setFittedWidth(int column, int width)
{
    if (column == m_stretchColumn) {
        m_stretchWidth = width;
        fitColumns();
    } else {
        m_list->header()->resizeSection(column, width);
    }
}

void ScanTab::fitCaptionColumn()
{
    // The widest caption sets the first column's width, up to a limit; its
    // width in pixels is measured for the longest captions only, as a list
    // may hold hundreds of thousands.
    const RowStore& rows = m_session.rows();
    const std::size_t count = rows.placedCount();
    if (count == 0)
        return;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < count; ++i)
        longest = std::max(longest, rows.at(i).caption.size());
    // Captions no longer than those measured before fit already; measuring
    // at every pause would cost more than the scan of a small section.
    if (longest <= m_fittedCaptionLength)
        return;
    m_fittedCaptionLength = longest;
    const QFontMetrics metrics = m_list->fontMetrics();
    QStyle* style = m_list->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    int padding = 2 * margin + metrics.averageCharWidth();
    if (m_session.profile().checkableRows)
        padding += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_list) + 2 * margin;
    // Even the widest letters would fit.
    const int current = m_list->header()->sectionSize(0);
    if (static_cast<int>(longest) * metrics.maxWidth() + padding <= current)
        return;
    int widest = 0;
    int measured = 0;
    for (std::size_t i = 0; i < count && measured < 64; ++i) {
        const std::string& caption = rows.at(i).caption;
        if (caption.size() + 4 < longest)
            continue;
        widest = std::max(widest, metrics.horizontalAdvance(displayText(caption)));
        ++measured;
    }
    // Within the list's width: a horizontal scroll bar under the list would
    // have the view lay itself out again at every section, several times
    // slower than the scan of a small one. What the widest column has
    // beyond its own width can be given.
    QHeaderView* header = m_list->header();
    int others = 0;
    for (int c = 1; c < header->count(); ++c) {
        if (!header->isSectionHidden(c))
            others += c == m_stretchColumn ? m_stretchWidth : header->sectionSize(c);
    }
    const UiScale scale(fontMetrics());
    const int needed = std::min({widest + padding, scale.x(300), m_list->viewport()->width() - others});
    if (needed > (0 == m_stretchColumn ? m_stretchWidth : current))
        setFittedWidth(0, needed);
}

void ScanTab::chooseOutputDirectory()
{
    if (!m_session.actionRunning())
        FileActions::chooseOutputDirectory(m_session, m_prompter);
}

void ScanTab::onColumnClicked(int column)
{
    // The header has moved its arrow already; an ignored click puts it back.
    if (!m_session.sortByColumn(column))
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
