#include "app/preview/PreviewControl.h"

#include "report_engine/PageRenderer.h"
#include "report_engine/PrintJob.h"
#include "report_engine/ReportUnits.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

// Grey around the sheet.
constexpr int border = 10;
// A4 until the first page is there.
const QSizeF defaultPageMm(210, 297);
// A page file may name any sheet; the view takes at most ten metres a side,
// so that its sizes in pixels stay well inside an int at any zoom.
constexpr double largestPageMm = 10000;

} // namespace

PreviewControl::PreviewControl(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

PrintJob* PreviewControl::job() const
{
    return m_job;
}

void PreviewControl::setJob(PrintJob* job)
{
    if (m_job)
        disconnect(m_job, nullptr, this, nullptr);
    m_job = job;
    m_cached.reset();
    m_page = 1;
    if (job) {
        connect(job, &PrintJob::pageAvailable, this, [this](int count) {
            updateScrollBars();
            viewport()->update();
            emit pageAvailable(count);
        });
        connect(job, &PrintJob::progressUpdate, this, &PreviewControl::progressUpdate);
    }
    updateScrollBars();
    viewport()->update();
}

void PreviewControl::setPageNumber(int page)
{
    if (!m_job || page < 1 || page > m_job->pageCount())
        return;
    m_page = page;
    updateScrollBars();
    viewport()->update();
}

void PreviewControl::setZoom(int percent)
{
    if (percent < minZoom || percent > maxZoom)
        return;
    m_zoom = percent;
    updateScrollBars();
    viewport()->update();
}

void PreviewControl::zoomToFit()
{
    const QSizeF page = pageSizeMm();
    const double at100 = logicalDpiX() / mmPerInch;
    const double wide = (viewport()->width() - 2 * border) / (page.width() * at100);
    const double high = (viewport()->height() - 2 * border) / (page.height() * at100);
    const double fit = std::floor(std::min(wide, high) * 100);
    setZoom(std::isfinite(fit) ? static_cast<int>(std::clamp<double>(fit, minZoom, maxZoom)) : 100);
}

const ReportPage* PreviewControl::currentPage()
{
    if (!m_job)
        return nullptr;
    // A new run or a loaded file changes what page N holds.
    if (!m_cached || m_cachedNumber != m_page || m_cachedCount != m_job->pageCount()) {
        m_cached = m_job->page(m_page);
        m_cachedNumber = m_page;
        m_cachedCount = m_job->pageCount();
    }
    return m_cached ? &*m_cached : nullptr;
}

QSizeF PreviewControl::pageSizeMm()
{
    const ReportPage* page = currentPage();
    if (!page || page->sizeMm().isEmpty())
        return defaultPageMm;
    const QSizeF size = page->sizeMm();
    return QSizeF(std::clamp(size.width(), 1.0, largestPageMm), std::clamp(size.height(), 1.0, largestPageMm));
}

double PreviewControl::pixelsPerMm() const
{
    return logicalDpiX() / mmPerInch * m_zoom / 100.0;
}

void PreviewControl::updateScrollBars()
{
    const QSizeF sheet = pageSizeMm() * pixelsPerMm();
    const int wide = static_cast<int>(std::ceil(sheet.width())) + 2 * border;
    const int high = static_cast<int>(std::ceil(sheet.height())) + 2 * border;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, wide - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, high - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

void PreviewControl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PreviewControl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const double scale = pixelsPerMm();
    const QSizeF sheet = pageSizeMm() * scale;
    // A page narrower than the view sits in its middle.
    const double x = std::max<double>(border, (viewport()->width() - sheet.width()) / 2);
    painter.translate(x - horizontalScrollBar()->value(), border - verticalScrollBar()->value());
    painter.fillRect(QRectF(QPointF(0, 0), sheet), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(QRectF(QPointF(0, 0), sheet));
    if (const ReportPage* page = currentPage())
        PageRenderer::draw(painter, *page, scale);
}

} // namespace bw
