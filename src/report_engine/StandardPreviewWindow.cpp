#include "report_engine/StandardPreviewWindow.h"

#include "report_engine/PageRenderer.h"
#include "report_engine/PrintJob.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace bw {

StandardPreviewWindow::StandardPreviewWindow(PrintJob* job)
    : m_job(job)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 2 / 3, area.height() * 9 / 10);
    }
    connect(job, &PrintJob::pageAvailable, this, [this] {
        showCaption();
        requestUpdate();
    });
    showCaption();
}

void StandardPreviewWindow::showCaption()
{
    const int count = m_job ? m_job->pageCount() : 0;
    const QString title = m_job && !m_job->title().isEmpty() ? m_job->title() : QStringLiteral("Preview");
    setTitle(QStringLiteral("%1 - page %2 of %3").arg(title).arg(count ? m_page : 0).arg(count));
}

void StandardPreviewWindow::showPage(int page)
{
    if (!m_job || page < 1 || page > m_job->pageCount())
        return;
    m_page = page;
    showCaption();
    update();
}

void StandardPreviewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(0, 0), size()), Qt::gray);
    if (!m_job)
        return;
    const std::optional<ReportPage> page = m_job->page(m_page);
    if (!page || page->sizeMm().isEmpty())
        return;
    // The whole sheet, as large as the window allows.
    const double scale = std::min((width() - 20) / page->sizeMm().width(), (height() - 20) / page->sizeMm().height());
    const QSizeF sheet = page->sizeMm() * scale;
    const QPointF origin((width() - sheet.width()) / 2, (height() - sheet.height()) / 2);
    painter.translate(origin);
    painter.fillRect(QRectF(QPointF(0, 0), sheet), Qt::white);
    PageRenderer::draw(painter, *page, scale);
}

void StandardPreviewWindow::keyPressEvent(QKeyEvent* event)
{
    const int count = m_job ? m_job->pageCount() : 0;
    switch (event->key()) {
    case Qt::Key_PageUp: showPage(m_page - 1); break;
    case Qt::Key_PageDown: showPage(m_page + 1); break;
    case Qt::Key_Home: showPage(1); break;
    case Qt::Key_End: showPage(count); break;
    case Qt::Key_Escape: close(); break;
    default: QRasterWindow::keyPressEvent(event); return;
    }
}

bool StandardPreviewWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Close) {
        if (m_job)
            m_job->previewClosed();
        emit closed();
        deleteLater();
    }
    return QRasterWindow::event(event);
}

} // namespace bw
