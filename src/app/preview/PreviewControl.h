#pragma once

#include "report_engine/ReportPage.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <optional>

namespace bw {

class PrintJob;

// The page view of a preview: one page of its job at a zoom, with scroll
// bars, passing on the job's page and progress notifications.
class PreviewControl : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int minZoom = 2;
    static constexpr int maxZoom = 2000;

    explicit PreviewControl(QWidget* parent = nullptr);

    PrintJob* job() const;
    void setJob(PrintJob* job);

    int pageNumber() const { return m_page; }
    // Requests outside 1 to the job's page count are ignored.
    void setPageNumber(int page);
    int zoom() const { return m_zoom; }
    // Requests outside minZoom to maxZoom are ignored.
    void setZoom(int percent);
    // The zoom that shows the whole page in the view.
    void zoomToFit();

signals:
    void pageAvailable(int count);
    void progressUpdate(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const ReportPage* currentPage();
    QSizeF pageSizeMm();
    double pixelsPerMm() const;
    void updateScrollBars();

    QPointer<PrintJob> m_job;
    int m_page = 1;
    int m_zoom = 100;
    // The page shown, decoded once.
    std::optional<ReportPage> m_cached;
    int m_cachedNumber = 0;
    int m_cachedCount = 0;
};

} // namespace bw
