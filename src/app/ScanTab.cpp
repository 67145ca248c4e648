#include "app/ScanTab.h"

#include "app/RowListModel.h"
#include "app/StatusText.h"
#include "base/LogDirectory.h"
#include "base/Prompter.h"
#include "lists/ColumnLayout.h"
#include "lists/SortState.h"

#include <QCoreApplication>
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

namespace bw {

namespace {

// Log names end in .log in any letter case.
constexpr const char* logFilters = "GWCheck Log Files (*.[Ll][Oo][Gg]);;All Files (*)";

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
    return b;
}

} // namespace

ScanTab::ScanTab(const TabTraits& traits, SortState& sort, Prompter& prompter, QString& lastPickedPath, QWidget* parent)
    : QWidget(parent)
    , m_traits(traits)
    , m_sort(sort)
    , m_prompter(prompter)
    , m_lastPickedPath(lastPickedPath)
    , m_rows(compareRuleFor(traits.kind), sort, sortKeyRuleFor(traits.kind))
    , m_parser(makeParser(traits.kind))
{
    setObjectName(QString::fromLatin1(traits.sheetName));
    setAcceptDrops(true);
    // An opaque page keeps repaints of its controls from reaching the tab
    // frame behind it.
    setAutoFillBackground(true);
    m_scan = std::make_unique<Scan>(*m_parser, m_rows, m_sort, static_cast<ScanHost&>(*this));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Selected Log File")), 0, 0);
    m_logBox = named(new QLineEdit, traits.logBoxName, "Use the Button to Select the Required GWCheck Log File");
    m_logBox->setReadOnly(true);
    grid->addWidget(m_logBox, 0, 1);
    m_pick = named(new QToolButton, traits.pickName, "Select the Required GWCheck Log File");
    m_pick->setText(QStringLiteral("…"));
    grid->addWidget(m_pick, 0, 2);
    int row = 1;
    if (traits.outputDirectoryRow) {
        grid->addWidget(new QLabel(tr("Selected Output Directory")), row, 0);
        m_outputDir = named(new QLineEdit, "EDocOutputDir", "Use the Button to Select the Required Output Directory");
        m_outputDir->setReadOnly(true);
        m_outputDir->setText(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        grid->addWidget(m_outputDir, row, 1);
        m_outputDirButton = named(new QToolButton, "SpdBOPDir", "Select the Required Output Directory");
        m_outputDirButton->setText(QStringLiteral("…"));
        grid->addWidget(m_outputDirButton, row, 2);
        ++row;
    }

    m_list = named(new QTreeView, traits.listName, "Click Column Heading to Sort Results");
    m_model = new RowListModel(traits.kind, m_rows, this);
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
    QHeaderView* header = m_list->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(false);
    const auto columns = columnsFor(traits.kind);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int section = static_cast<int>(c);
        header->resizeSection(section, columns[c].width);
        header->setSectionResizeMode(section, columns[c].fixed ? QHeaderView::Fixed : QHeaderView::Interactive);
    }
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
    m_progress->setFixedWidth(80);
    m_progress->setVisible(false);
    m_lineCounter = named(new StatusText(Qt::AlignRight), traits.lineCounterName);
    m_lineCounter->setFixedWidth(m_lineCounter->fontMetrics().horizontalAdvance(QStringLiteral("Processing Line 0000000")));
    statusRow->addWidget(m_lineCounter);
    // It changes with every slice: painting its own background spares
    // repainting the tab behind it each time.
    m_progress->setAutoFillBackground(true);
    grid->addLayout(statusRow, row++, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    m_parse = button("Parse", traits.parseName, "Parse the Selected GWCheck Log File");
    m_continue = button("Continue", traits.continueName, "Continue Parsing the GWCheck Log File");
    m_print = button("Print", traits.printName, "Print the Results for this Section of the Log File");
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
    connect(header, &QHeaderView::sectionClicked, this, &ScanTab::columnClick);

    m_sliceTimer.setSingleShot(true);
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &ScanTab::runSlice);
}

ScanTab::~ScanTab()
{
    // The model watches m_rows: it must go before the rows do, not later
    // with the other children.
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
    // A second scan must never start while one runs or waits.
    if (scanRunning())
        return;
    m_lastPickedPath = path;
    m_logBox->setText(path);
    if (m_outputDir)
        m_outputDir->setText(logDirectoryOf(path));
    m_parse->setEnabled(true);
    m_rows.clear();
    m_status->setText(tr("Log File Selected"));
    if (m_traits.focusParseAfterPick)
        m_parse->setFocus();
}

void ScanTab::parseClick()
{
    if (scanRunning() || m_logBox->text().isEmpty())
        return;
    m_pick->setEnabled(false);
    m_progress->setValue(0);
    m_progress->setVisible(true);
    m_scan->start(m_logBox->text());
    updateSortIndicator();
    m_sinceSettle.start();
    m_sliceTimer.start();
}

void ScanTab::continueClick()
{
    if (!m_scan->awaitingContinue())
        return;
    m_scan->resume();
    m_sliceTimer.start();
}

void ScanTab::printClick() {}

void ScanTab::actionClick() {}

void ScanTab::columnClick(int column)
{
    if (m_traits.headerClickNeedsAction && !m_action->isEnabled())
        return;
    m_sort.click(column);
    m_rows.sort();
    m_sinceSettle.restart();
    updateSortIndicator();
}

void ScanTab::updateSortIndicator()
{
    QHeaderView* header = m_list->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(m_sort.column, m_sort.direction > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ScanTab::runSlice()
{
    const auto outcome = m_scan->step(Scan::Clock::now() + std::chrono::milliseconds(sliceMilliseconds));
    m_progress->setValue(static_cast<int>(m_scan->progress() * 100));
    switch (outcome) {
    case Scan::Outcome::Running:
        // Rows completed in the slices so far take their places a few
        // times a second, not after every slice.
        if (m_sinceSettle.elapsed() >= 100) {
            m_rows.settle();
            m_sinceSettle.restart();
        }
        m_sliceTimer.start();
        break;
    case Scan::Outcome::Paused:
        emit scanPaused();
        break;
    case Scan::Outcome::Finished:
        m_progress->setVisible(false);
        m_pick->setEnabled(true);
        emit scanEnded();
        break;
    }
}

void ScanTab::showStatus(std::string_view text)
{
    m_status->setText(RowListModel::displayText(std::string(text)));
}

void ScanTab::showLineCount(std::int64_t lineCount)
{
    const QString text = QStringLiteral("Processing Line ") + QString::number(lineCount);
    // Widened only when the count gains a digit, so the layout rarely moves.
    const int needed = m_lineCounter->fontMetrics().horizontalAdvance(text) + 4;
    if (needed > m_lineCounter->width())
        m_lineCounter->setFixedWidth(needed);
    m_lineCounter->setText(text);
}

void ScanTab::setControlEnabled(ScanControl control, bool enabled)
{
    switch (control) {
    case ScanControl::Parse:
        m_parse->setEnabled(enabled);
        break;
    case ScanControl::Continue:
        m_continue->setEnabled(enabled);
        break;
    case ScanControl::Print:
        m_print->setEnabled(enabled);
        break;
    case ScanControl::Action:
        m_action->setEnabled(enabled);
        break;
    case ScanControl::Close:
        emit closeEnabledChanged(enabled);
        break;
    }
}

void ScanTab::showError(std::string_view message)
{
    m_prompter.error(RowListModel::displayText(std::string(message)));
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
    if (!scanRunning() && !droppedLog(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ScanTab::dropEvent(QDropEvent* event)
{
    const QString path = droppedLog(event->mimeData());
    if (path.isEmpty() || scanRunning())
        return;
    event->acceptProposedAction();
    choose(QDir::toNativeSeparators(path));
}

} // namespace bw
