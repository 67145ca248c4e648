#include "app/preview/ReportPreviewWindow.h"

#include "app/preview/PreviewControl.h"
#include "app/preview/PrinterDialog.h"
#include "app/widgets/UiScale.h"
#include "app/widgets/WidgetPrompter.h"
#include "base/Prompter.h"
#include "report_engine/BandReport.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/ExportFilterList.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/PrintJob.h"
#include "report_engine/PrintPages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace bw {

namespace {

void yield()
{
    QCoreApplication::processEvents();
}

// The entries of a filter text of "name|pattern" pairs, as Qt's dialogs
// take them: the names, which carry their patterns in brackets.
QStringList dialogEntries(const QString& filterText)
{
    const QStringList pieces = filterText.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i < pieces.size(); i += 2)
        entries << pieces[i];
    return entries;
}

QString withPdfExtension(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return fileName + QStringLiteral(".pdf");
    return fileName.left(fileName.size() - suffix.size()) + QStringLiteral("pdf");
}

} // namespace

ReportPreviewWindow::ReportPreviewWindow(PrintJob* job, Prompter& prompter, QString currentUserName,
                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowMinMaxButtonsHint)
    , m_prompter(prompter)
    , m_currentUserName(std::move(currentUserName))
{
    setObjectName(QStringLiteral("reportPreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    const UiScale scale(fontMetrics());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolbar = new QWidget;
    m_toolbar->setObjectName(QStringLiteral("Panel1"));
    auto* tools = new QHBoxLayout(m_toolbar);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(0);
    struct Button {
        QPushButton** member;
        const char* name;
        const char* caption;
        int width;
        void (ReportPreviewWindow::*click)();
    };
    const Button buttons[] = {
        {&m_printButton, "btnPrint", "&Print", 55, &ReportPreviewWindow::onPrintClicked},
        {&m_firstPageButton, "btnFirstPage", "&First Page", 75, &ReportPreviewWindow::onFirstPageClicked},
        {&m_previousPageButton, "btnPrevPage", "P&revious Page", 100, &ReportPreviewWindow::onPreviousPageClicked},
        {&m_nextPageButton, "btnNextPage", "&Next Page", 80, &ReportPreviewWindow::onNextPageClicked},
        {&m_lastPageButton, "btnLastPage", "&Last Page", 80, &ReportPreviewWindow::onLastPageClicked},
        {&m_zoomInButton, "btnZoomIn", "Zoom &In", 75, &ReportPreviewWindow::onZoomInClicked},
        {&m_zoomOutButton, "btnZoomOut", "&Zoom Out", 80, &ReportPreviewWindow::onZoomOutClicked},
        {&m_openButton, "btnOpen", "&Open", 60, &ReportPreviewWindow::onOpenClicked},
        {&m_saveButton, "btnSave", "&Save", 70, &ReportPreviewWindow::onSaveClicked},
        {&m_closeButton, "btnClose", "&Close", 70, &ReportPreviewWindow::onCloseClicked},
    };
    int toolbarHeight = scale.y(24);
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption));
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        // The designed width, grown with the font, and never less than the
        // caption needs.
        button->setFixedWidth(std::max(scale.x(b.width), button->sizeHint().width()));
        toolbarHeight = std::max(toolbarHeight, button->sizeHint().height());
        connect(button, &QPushButton::clicked, this, b.click);
        tools->addWidget(button);
        *b.member = button;
    }
    tools->addStretch(1);
    m_toolbar->setFixedHeight(toolbarHeight);
    layout->addWidget(m_toolbar);

    m_preview = new PreviewControl;
    m_preview->setObjectName(QStringLiteral("previewControl"));
    layout->addWidget(m_preview, 1);
    connect(m_preview, &PreviewControl::pageAvailable, this, &ReportPreviewWindow::onPageAvailable);
    connect(m_preview, &PreviewControl::progressUpdate, this, &ReportPreviewWindow::onProgressUpdate);

    m_statusBar = new QStatusBar;
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(true);
    const int widths[3] = {100, 100, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFixedWidth(scale.x(widths[i]));
        m_statusBar->addWidget(m_panels[i]);
    }
    layout->addWidget(m_statusBar);
    m_progressBar = new QProgressBar;
    m_progressBar->setObjectName(QStringLiteral("ProgressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);

    createWidgets();

    m_job = job;
    m_preview->setJob(job);
    if (job && !job->title().isEmpty())
        setWindowTitle(job->title());

    // Key preview: the window sees every key before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

PrintJob* ReportPreviewWindow::job() const
{
    return m_job;
}

QLabel* ReportPreviewWindow::statusPanel(int index) const
{
    return index >= 0 && index < 3 ? m_panels[index] : nullptr;
}

void ReportPreviewWindow::createWidgets()
{
    m_progressBar->setParent(m_statusBar);
    m_panels[2]->installEventFilter(this);
    fitToWorkArea();
}

void ReportPreviewWindow::fitToWorkArea()
{
    // The whole window, frame included, covers the work area, so that its
    // status bar is on the screen; the user may resize it. It is never
    // narrower than its toolbar unless the screen is.
    const UiScale scale(fontMetrics());
    QRect area(QPoint(0, 0), QSize(scale.x(750), scale.y(453)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    QMargins frame;
    if (const QWindow* handle = windowHandle())
        frame = handle->frameMargins();
    const QRect inside = area.marginsRemoved(frame);
    // On a narrow screen the buttons give up their designed widths before
    // the toolbar passes the screen's edge; only a toolbar that does not fit
    // even then makes the window wider than the screen.
    if (m_toolbar->sizeHint().width() > inside.width()) {
        for (QPushButton* button : m_toolbar->findChildren<QPushButton*>()) {
            const int caption = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'));
            const int padding = 2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                                     + button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
            button->setFixedWidth(std::min(button->width(), caption + padding));
        }
        m_toolbar->layout()->activate();
    }
    const int least = m_toolbar->sizeHint().width();
    setMinimumSize(least, std::min(scale.y(200), inside.height()));
    setGeometry(inside.adjusted(0, 0, std::max(0, least - inside.width()), 0));
}

void ReportPreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The frame's size is known once the window is on the screen.
    if (!m_fitted) {
        m_fitted = true;
        fitToWorkArea();
    }
    m_firstPagePending = true;
}

void ReportPreviewWindow::closeEvent(QCloseEvent* event)
{
    if (m_job)
        m_job->previewClosed();
    event->accept();
}

void ReportPreviewWindow::prepareFirstPage()
{
    if (!m_firstPagePending)
        return;
    m_preview->zoomToFit();
    refreshNavigation();
    m_firstPagePending = false;
}

void ReportPreviewWindow::onPageAvailable(int count)
{
    prepareFirstPage();
    if (!m_job)
        return;
    const QString title = m_job->title().isEmpty() ? QStringLiteral("Untitled report") : m_job->title();
    setWindowTitle(title + (count == 1 ? QStringLiteral(" - 1 page") : QStringLiteral(" - %1 pages").arg(count)));
    switch (m_job->status()) {
    case PrintJob::Status::Ready: m_statusText = QStringLiteral("Ready"); break;
    case PrintJob::Status::Busy: m_statusText = QStringLiteral("Busy"); break;
    case PrintJob::Status::Finished: m_statusText = QStringLiteral("Finished"); break;
    }
    refreshNavigation();
}

void ReportPreviewWindow::onProgressUpdate(int percent)
{
    m_progressBar->setValue(percent == 0 || percent == 100 ? 0 : percent);
}

void ReportPreviewWindow::showStatusPanels()
{
    m_progressBar->setGeometry(m_panels[2]->geometry().adjusted(-1, -1, 1, 1));
    m_progressBar->raise();
}

void ReportPreviewWindow::refreshNavigation()
{
    const int page = m_preview->pageNumber();
    const int count = m_job ? m_job->pageCount() : 0;
    m_printButton->setEnabled(m_job && m_job->status() == PrintJob::Status::Finished);
    m_firstPageButton->setEnabled(page > 1);
    m_previousPageButton->setEnabled(page > 1);
    m_nextPageButton->setEnabled(page < count);
    m_lastPageButton->setEnabled(page < count);
    m_panels[0]->setText(m_statusText);
    m_panels[1]->setText(QStringLiteral("Page %1 of %2").arg(page).arg(count));
}

void ReportPreviewWindow::onPrintClicked()
{
    if (!m_job)
        return;
    PrinterDialog select;
    select.setJob(m_job);
    select.setInitialPrinterIndex(m_job->printerIndex());
    if (select.exec() != QDialog::Accepted || !m_job)
        return;
    QString error;
    if (!printJob(*m_job, {select.selectedPrinterIndex(), select.fromPage(), select.toPage(), select.copies()}, &error))
        tellError(error);
}

void ReportPreviewWindow::onFirstPageClicked()
{
    yield();
    if (m_preview->pageNumber() > 1)
        m_preview->setPageNumber(1);
    refreshNavigation();
}

void ReportPreviewWindow::onPreviousPageClicked()
{
    yield();
    if (m_preview->pageNumber() > 1)
        m_preview->setPageNumber(m_preview->pageNumber() - 1);
    refreshNavigation();
}

void ReportPreviewWindow::onNextPageClicked()
{
    yield();
    if (m_job && m_preview->pageNumber() < m_job->pageCount())
        m_preview->setPageNumber(m_preview->pageNumber() + 1);
    refreshNavigation();
}

void ReportPreviewWindow::onLastPageClicked()
{
    yield();
    if (m_job && m_preview->pageNumber() < m_job->pageCount())
        m_preview->setPageNumber(m_job->pageCount());
    refreshNavigation();
}

void ReportPreviewWindow::onZoomInClicked()
{
    yield();
    m_preview->setZoom(m_preview->zoom() + 10);
}

void ReportPreviewWindow::onZoomOutClicked()
{
    yield();
    if (m_preview->zoom() > 10)
        m_preview->setZoom(m_preview->zoom() - 10);
}

template <typename Ask>
auto ReportPreviewWindow::askOverPreview(Ask ask)
{
    // The window's dialogs open over this preview, not over the main
    // window, and the preview is the active window again after them.
    auto* widgets = dynamic_cast<WidgetPrompter*>(&m_prompter);
    QWidget* before = widgets ? widgets->parent() : nullptr;
    if (widgets)
        widgets->setParent(this);
    auto answer = ask();
    if (widgets)
        widgets->setParent(before);
    activateWindow();
    return answer;
}

void ReportPreviewWindow::onOpenClicked()
{
    const auto name = askOverPreview([this] {
        return m_prompter.openFile(QStringLiteral("Load report"),
                                   dialogEntries(QStringLiteral("Report page file (*.qrp)|*.qrp")).join(QStringLiteral(";;")),
                                   QString());
    });
    if (!name || !m_job)
        return;
    if (!QFileInfo::exists(*name)) {
        askOverPreview([this] {
            m_prompter.message(QStringLiteral("Error!  File does not exist"));
            return true;
        });
        return;
    }
    // A file that is no page file leaves the job, and its report, as they were.
    QString error;
    // A file of many pages takes a while: the windows keep painting, the
    // user's input waits.
    setCursor(Qt::WaitCursor);
    const bool loaded = m_job->load(*name, &error, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    unsetCursor();
    if (!loaded) {
        tellError(error);
        return;
    }
    m_job->clearReport();
    m_preview->setPageNumber(1);
    setWindowTitle(QStringLiteral("Viewing saved report - %1 - %2 pages").arg(*name).arg(m_job->pageCount()));
    refreshNavigation();
}

void ReportPreviewWindow::onSaveClicked()
{
    const QString engineFilter = ExportFilterList::saveDialogFilter();
    const QString filter = engineFilter + QStringLiteral("|Portable Document Format (*.PDF)|*.pdf");
    const int pieces = static_cast<int>(engineFilter.count(u'|')) + 1;
    const int pdfEntry = pieces / 2 + 1;
    const auto choice = askOverPreview(
        [&] { return m_prompter.saveFileAs(QStringLiteral("Save report"), dialogEntries(filter), QStringLiteral("qrp")); });
    if (!choice || !m_job)
        return;
    // A name whose extension names one of the forms gets that form, whatever
    // the entry, except that the PDF entry always writes a PDF.
    int entry = choice->entry;
    const QString suffix = QFileInfo(choice->path).suffix();
    const auto is = [&suffix](const QString& extension) {
        return suffix.compare(extension, Qt::CaseInsensitive) == 0;
    };
    if (entry != pdfEntry) {
        if (is(QStringLiteral("pdf")))
            entry = pdfEntry;
        else if (is(QStringLiteral("qrp")))
            entry = 1;
        const std::vector<ExportFilterList::Entry> filters = ExportFilterList::entries();
        for (std::size_t i = 0; i < filters.size(); ++i) {
            if (is(filters[i].extension))
                entry = static_cast<int>(i) + 2;
        }
    }
    QString error;
    if (entry == 1) {
        // An unfinished job writes nothing; a failed write is told.
        if (m_job->status() == PrintJob::Status::Finished && !m_job->save(choice->path, &error))
            tellError(error);
    } else if (entry == pdfEntry) {
        exportPdf(choice->path);
    } else {
        std::unique_ptr<ExportFilter> exporter = ExportFilterList::create(entry - 2, choice->path);
        if (exporter && !exportJob(*exporter))
            tellError(exporter->errorString());
    }
}

bool ReportPreviewWindow::exportJob(ExportFilter& filter)
{
    // A report runs again into the filter; a loaded page file has only its
    // pages, which go through the filter as they are.
    if (m_job->report())
        return m_job->exportTo(filter);
    return m_job->status() != PrintJob::Status::Finished || m_job->exportPages(filter);
}

void ReportPreviewWindow::tellError(const QString& error)
{
    askOverPreview([&] {
        m_prompter.error(error);
        return true;
    });
}

void ReportPreviewWindow::exportPdf(QString fileName)
{
    fileName = withPdfExtension(fileName);
    PdfExportFilter pdf(fileName);
    const BandReport* report = m_job->report();
    const QString subject = report && !report->description().isEmpty() ? report->description().constFirst() : QString();
    pdf.setDocumentInfo(m_currentUserName, m_job->title(), subject);
    if (!exportJob(pdf))
        tellError(pdf.errorString());
}

void ReportPreviewWindow::onCloseClicked()
{
    close();
}

void ReportPreviewWindow::scrollByTenth(Qt::Orientation orientation, int direction)
{
    QScrollBar* bar = orientation == Qt::Horizontal ? m_preview->horizontalScrollBar() : m_preview->verticalScrollBar();
    const int range = bar->maximum() - bar->minimum();
    bar->setValue(bar->value() + direction * (range / 10));
}

bool ReportPreviewWindow::handleKey(const QKeyEvent& key)
{
    if (key.modifiers() & Qt::AltModifier) {
        switch (key.key()) {
        case Qt::Key_Left: scrollByTenth(Qt::Horizontal, -1); return true;
        case Qt::Key_Right: scrollByTenth(Qt::Horizontal, 1); return true;
        case Qt::Key_Up: scrollByTenth(Qt::Vertical, -1); return true;
        case Qt::Key_Down: scrollByTenth(Qt::Vertical, 1); return true;
        default: break;
        }
    }
    switch (key.key()) {
    case Qt::Key_Escape: close(); return true;
    case Qt::Key_PageUp: onPreviousPageClicked(); break;
    case Qt::Key_PageDown: onNextPageClicked(); break;
    case Qt::Key_Home: m_preview->setPageNumber(1); break;
    case Qt::Key_End:
        if (m_job)
            m_preview->setPageNumber(m_job->pageCount());
        break;
    default: return false;
    }
    yield();
    refreshNavigation();
    return true;
}

bool ReportPreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panels[2]
        && (event->type() == QEvent::Paint || event->type() == QEvent::Resize || event->type() == QEvent::Move))
        showStatusPanels();
    if (event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace bw
