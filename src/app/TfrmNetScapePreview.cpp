#include "app/TfrmNetScapePreview.h"

#include "app/PreviewControl.h"
#include "app/TfrmSelectPrinter.h"
#include "app/UiScale.h"
#include "app/WidgetPrompter.h"
#include "base/Prompter.h"
#include "report_engine/BandReport.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/ExportFilterList.h"
#include "report_engine/PrintPages.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/PrintJob.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <QCoreApplication>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

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

TfrmNetScapePreview::TfrmNetScapePreview(PrintJob* job, Prompter& prompter, QString currentUserName,
                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowMinMaxButtonsHint)
    , m_prompter(prompter)
    , m_currentUserName(std::move(currentUserName))
{
    setObjectName(QStringLiteral("frmNetScapePreview"));
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
        void (TfrmNetScapePreview::*click)();
    };
    const Button buttons[] = {
        {&btnPrint, "btnPrint", "&Print", 55, &TfrmNetScapePreview::btnPrintClick},
        {&btnFirstPage, "btnFirstPage", "&First Page", 75, &TfrmNetScapePreview::btnFirstPageClick},
        {&btnPrevPage, "btnPrevPage", "P&revious Page", 100, &TfrmNetScapePreview::btnPrevPageClick},
        {&btnNextPage, "btnNextPage", "&Next Page", 80, &TfrmNetScapePreview::btnNextPageClick},
        {&btnLastPage, "btnLastPage", "&Last Page", 80, &TfrmNetScapePreview::btnLastPageClick},
        {&btnZoomIn, "btnZoomIn", "Zoom &In", 75, &TfrmNetScapePreview::btnZoomInClick},
        {&btnZoomOut, "btnZoomOut", "&Zoom Out", 80, &TfrmNetScapePreview::btnZoomOutClick},
        {&btnOpen, "btnOpen", "&Open", 60, &TfrmNetScapePreview::btnOpenClick},
        {&btnSave, "btnSave", "&Save", 70, &TfrmNetScapePreview::btnSaveClick},
        {&btnClose, "btnClose", "&Close", 70, &TfrmNetScapePreview::btnCloseClick},
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

    QRPreview1 = new PreviewControl;
    QRPreview1->setObjectName(QStringLiteral("QRPreview1"));
    layout->addWidget(QRPreview1, 1);
    connect(QRPreview1, &PreviewControl::pageAvailable, this, &TfrmNetScapePreview::QRPreview1PageAvailable);
    connect(QRPreview1, &PreviewControl::progressUpdate, this, &TfrmNetScapePreview::QRPreview1ProgressUpdate);

    StatusBar = new QStatusBar;
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    const int widths[3] = {100, 100, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFixedWidth(scale.x(widths[i]));
        StatusBar->addWidget(m_panels[i]);
    }
    layout->addWidget(StatusBar);
    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);

    FormCreate();

    Job = job;
    QRPreview1->setJob(job);
    if (job && !job->title().isEmpty())
        setWindowTitle(job->title());

    // Key preview: the window sees every key before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

TfrmNetScapePreview::~TfrmNetScapePreview() = default;

PrintJob* TfrmNetScapePreview::job() const
{
    return Job;
}

QLabel* TfrmNetScapePreview::statusPanel(int index) const
{
    return index >= 0 && index < 3 ? m_panels[index] : nullptr;
}

void TfrmNetScapePreview::FormCreate()
{
    ProgressBar->setParent(StatusBar);
    m_panels[2]->installEventFilter(this);
    FitToWorkArea();
}

void TfrmNetScapePreview::FitToWorkArea()
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

void TfrmNetScapePreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The frame's size is known once the window is on the screen.
    if (!m_fitted) {
        m_fitted = true;
        FitToWorkArea();
    }
    FirstPagePending = true;
}

void TfrmNetScapePreview::closeEvent(QCloseEvent* event)
{
    if (Job)
        Job->previewClosed();
    event->accept();
}

void TfrmNetScapePreview::PrepareFirstPage()
{
    if (!FirstPagePending)
        return;
    QRPreview1->zoomToFit();
    RefreshNavigation();
    FirstPagePending = false;
}

void TfrmNetScapePreview::QRPreview1PageAvailable(int count)
{
    PrepareFirstPage();
    if (!Job)
        return;
    const QString title = Job->title().isEmpty() ? QStringLiteral("Untitled report") : Job->title();
    setWindowTitle(title + (count == 1 ? QStringLiteral(" - 1 page") : QStringLiteral(" - %1 pages").arg(count)));
    switch (Job->status()) {
    case PrintJob::Status::Ready: StatusText = QStringLiteral("Ready"); break;
    case PrintJob::Status::Busy: StatusText = QStringLiteral("Busy"); break;
    case PrintJob::Status::Finished: StatusText = QStringLiteral("Finished"); break;
    }
    RefreshNavigation();
}

void TfrmNetScapePreview::QRPreview1ProgressUpdate(int percent)
{
    ProgressBar->setValue(percent == 0 || percent == 100 ? 0 : percent);
}

void TfrmNetScapePreview::StatusBarDrawPanel()
{
    ProgressBar->setGeometry(m_panels[2]->geometry().adjusted(-1, -1, 1, 1));
    ProgressBar->raise();
}

void TfrmNetScapePreview::RefreshNavigation()
{
    const int page = QRPreview1->pageNumber();
    const int count = Job ? Job->pageCount() : 0;
    btnPrint->setEnabled(Job && Job->status() == PrintJob::Status::Finished);
    btnFirstPage->setEnabled(page > 1);
    btnPrevPage->setEnabled(page > 1);
    btnNextPage->setEnabled(page < count);
    btnLastPage->setEnabled(page < count);
    m_panels[0]->setText(StatusText);
    m_panels[1]->setText(QStringLiteral("Page %1 of %2").arg(page).arg(count));
}

void TfrmNetScapePreview::btnPrintClick()
{
    if (!Job)
        return;
    TfrmSelectPrinter select;
    select.Job = Job;
    select.InitialPrinterIndex = Job->printerIndex();
    if (select.exec() != QDialog::Accepted || !Job)
        return;
    QString error;
    if (!printJob(*Job, {select.selectedPrinterIndex(), select.FromPage, select.ToPage, select.Copies}, &error))
        tellError(error);
}

void TfrmNetScapePreview::btnFirstPageClick()
{
    yield();
    if (QRPreview1->pageNumber() > 1)
        QRPreview1->setPageNumber(1);
    RefreshNavigation();
}

void TfrmNetScapePreview::btnPrevPageClick()
{
    yield();
    if (QRPreview1->pageNumber() > 1)
        QRPreview1->setPageNumber(QRPreview1->pageNumber() - 1);
    RefreshNavigation();
}

void TfrmNetScapePreview::btnNextPageClick()
{
    yield();
    if (Job && QRPreview1->pageNumber() < Job->pageCount())
        QRPreview1->setPageNumber(QRPreview1->pageNumber() + 1);
    RefreshNavigation();
}

void TfrmNetScapePreview::btnLastPageClick()
{
    yield();
    if (Job && QRPreview1->pageNumber() < Job->pageCount())
        QRPreview1->setPageNumber(Job->pageCount());
    RefreshNavigation();
}

void TfrmNetScapePreview::btnZoomInClick()
{
    yield();
    QRPreview1->setZoom(QRPreview1->zoom() + 10);
}

void TfrmNetScapePreview::btnZoomOutClick()
{
    yield();
    if (QRPreview1->zoom() > 10)
        QRPreview1->setZoom(QRPreview1->zoom() - 10);
}

template <typename Ask>
auto TfrmNetScapePreview::askOverPreview(Ask ask)
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

void TfrmNetScapePreview::btnOpenClick()
{
    const auto name = askOverPreview([this] {
        return m_prompter.openFile(QStringLiteral("Load report"),
                                   dialogEntries(QStringLiteral("QuickReport file (*.QRP)|*.QRP")).join(QStringLiteral(";;")),
                                   QString());
    });
    if (!name || !Job)
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
    const bool loaded = Job->load(*name, &error, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    unsetCursor();
    if (!loaded) {
        tellError(error);
        return;
    }
    Job->clearReport();
    QRPreview1->setPageNumber(1);
    setWindowTitle(QStringLiteral("Viewing saved report - %1 - %2 pages").arg(*name).arg(Job->pageCount()));
    RefreshNavigation();
}

void TfrmNetScapePreview::btnSaveClick()
{
    const QString engineFilter = ExportFilterList::saveDialogFilter();
    const QString filter = engineFilter + QStringLiteral("|Portable Document Format (*.PDF)|*.pdf");
    const int pieces = static_cast<int>(engineFilter.count(u'|')) + 1;
    const int pdfEntry = pieces / 2 + 1;
    const auto choice = askOverPreview(
        [&] { return m_prompter.saveFileAs(QStringLiteral("Save report"), dialogEntries(filter), QStringLiteral("QRP")); });
    if (!choice || !Job)
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
        if (Job->status() == PrintJob::Status::Finished && !Job->save(choice->path, &error))
            tellError(error);
    } else if (entry == pdfEntry) {
        exportPdf(choice->path);
    } else {
        std::unique_ptr<ExportFilter> exporter = ExportFilterList::create(entry - 2, choice->path);
        if (exporter && !exportJob(*exporter))
            tellError(exporter->errorString());
    }
}

bool TfrmNetScapePreview::exportJob(ExportFilter& filter)
{
    // A report runs again into the filter; a loaded page file has only its
    // pages, which go through the filter as they are.
    if (Job->report())
        return Job->exportTo(filter);
    return Job->status() != PrintJob::Status::Finished || Job->exportPages(filter);
}

void TfrmNetScapePreview::tellError(const QString& error)
{
    askOverPreview([&] {
        m_prompter.error(error);
        return true;
    });
}

void TfrmNetScapePreview::exportPdf(QString fileName)
{
    fileName = withPdfExtension(fileName);
    PdfExportFilter pdf(fileName);
    const BandReport* report = Job->report();
    const QString subject = report && !report->description().isEmpty() ? report->description().constFirst() : QString();
    pdf.setDocumentInfo(m_currentUserName, Job->title(), subject);
    if (!exportJob(pdf))
        tellError(pdf.errorString());
}

void TfrmNetScapePreview::btnCloseClick()
{
    close();
}

void TfrmNetScapePreview::scrollByTenth(Qt::Orientation orientation, int direction)
{
    QScrollBar* bar = orientation == Qt::Horizontal ? QRPreview1->horizontalScrollBar() : QRPreview1->verticalScrollBar();
    const int range = bar->maximum() - bar->minimum();
    bar->setValue(bar->value() + direction * (range / 10));
}

bool TfrmNetScapePreview::FormKeyDown(const QKeyEvent& key)
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
    case Qt::Key_PageUp: btnPrevPageClick(); break;
    case Qt::Key_PageDown: btnNextPageClick(); break;
    case Qt::Key_Home: QRPreview1->setPageNumber(1); break;
    case Qt::Key_End:
        if (Job)
            QRPreview1->setPageNumber(Job->pageCount());
        break;
    default: return false;
    }
    yield();
    RefreshNavigation();
    return true;
}

bool TfrmNetScapePreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panels[2]
        && (event->type() == QEvent::Paint || event->type() == QEvent::Resize || event->type() == QEvent::Move))
        StatusBarDrawPanel();
    if (event->type() == QEvent::KeyPress && FormKeyDown(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace bw
