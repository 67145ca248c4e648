#include "report_engine/BandReport.h"

#include "base/DateTimeText.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/PageSink.h"
#include "report_engine/PreviewInterfaceClass.h"
#include "report_engine/PrintJob.h"
#include "report_engine/TQRPreviewInterface.h"
#include "report_engine/ReportPage.h"
#include "report_engine/TextMeasure.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>

namespace bw {

namespace {

// One run's pages as they fill: where the next band goes and what is on
// the page so far.
class Layout {
public:
    Layout(BandReport& report, PageSink& sink)
        : m_report(report)
        , m_sink(sink)
        , m_area(report.pageSetup().printableRectMm())
        , m_paper(report.pageSetup().paperSizeMm())
        , m_now(QString::fromStdString(DateTimeText().text(QDateTime::currentDateTime())))
    {
    }

    void run(const BandReport::NeedData& needData, int expectedRows)
    {
        openPage(true);
        int rows = 0;
        int shown = -1;
        while (needData && needData()) {
            place(BandReport::Kind::Detail);
            ++rows;
            if (expectedRows > 0) {
                const int percent = static_cast<int>(std::min<qint64>(99, qint64(rows) * 100 / expectedRows));
                if (percent != shown)
                    m_sink.progress(shown = percent);
            }
        }
        place(BandReport::Kind::Summary);
        closePage();
    }

private:
    // Prints the band unless its hook says no; a band that does not fit
    // goes to a new page, unless the page holds nothing but its headers.
    void place(BandReport::Kind kind)
    {
        if (!m_report.hasBand(kind))
            return;
        ReportBand& band = m_report.band(kind);
        bool print = true;
        if (band.beforePrint())
            band.beforePrint()(print);
        if (!print)
            return;
        std::vector<PageText> texts;
        const double height = layOut(band, texts);
        if (m_y + height > m_area.bottom() + 1e-9 && m_bodyStarted) {
            closePage();
            openPage(false);
        }
        for (PageText& t : texts) {
            t.rectMm.translate(m_area.left(), m_y);
            m_page.add(std::move(t));
        }
        m_y += height;
        if (kind == BandReport::Kind::Detail || kind == BandReport::Kind::Summary)
            m_bodyStarted = true;
    }

    void openPage(bool first)
    {
        m_page = ReportPage(m_paper);
        m_y = m_area.top();
        m_bodyStarted = false;
        place(BandReport::Kind::PageHeader);
        if (first)
            place(BandReport::Kind::Title);
        place(BandReport::Kind::ColumnHeader);
    }

    void closePage() { m_sink.addPage(m_page); }

    // The band's visible fields at their places in the band; the band's
    // height, grown to hold them.
    double layOut(const ReportBand& band, std::vector<PageText>& out)
    {
        double height = band.heightMm();
        const QString& family = m_report.fontFamily();
        const double size = m_report.fontPointSize();
        for (const auto& field : band.fields()) {
            if (!field->isVisible())
                continue;
            PageText t;
            t.text = field->kind() == ReportField::Kind::DateTime ? m_now : field->text();
            t.family = family;
            t.pointSize = size;
            t.bold = field->bold().value_or(band.bold());
            t.italic = field->italic().value_or(false);
            t.align = field->align();
            double width = 0;
            double textHeight = 0;
            if (field->wrapWidthMm() > 0) {
                t.wrap = true;
                width = field->wrapWidthMm();
                textHeight = m_measure.wrappedHeightMm(t.text, width, family, size, t.bold, t.italic);
                textHeight = std::max(textHeight, m_measure.lineHeightMm(family, size, t.bold, t.italic));
            } else {
                width = m_measure.widthMm(t.text, family, size, t.bold, t.italic);
                textHeight = m_measure.lineHeightMm(family, size, t.bold, t.italic);
            }
            double left = field->xMm();
            if (t.align == ReportField::Align::Right)
                left -= width;
            else if (t.align == ReportField::Align::Center)
                left -= width / 2;
            t.rectMm = QRectF(left, field->yMm(), width, textHeight);
            // A field may wrap below the band's height; the band grows.
            if (field->wrapWidthMm() > 0)
                height = std::max(height, field->yMm() + textHeight);
            out.push_back(std::move(t));
        }
        return height;
    }

    BandReport& m_report;
    PageSink& m_sink;
    QRectF m_area;
    QSizeF m_paper;
    QString m_now;
    TextMeasure m_measure;
    ReportPage m_page;
    double m_y = 0;
    bool m_bodyStarted = false;
};

// Collects a run's pages.
class PageVector : public PageSink {
public:
    void addPage(const ReportPage& page) override { pages.push_back(page); }
    std::vector<ReportPage> pages;
};

} // namespace

BandReport::BandReport(QObject* parent)
    : QObject(parent)
{
}

BandReport::~BandReport() = default;

ReportBand& BandReport::band(Kind kind)
{
    auto& slot = m_bands[index(kind)];
    if (!slot)
        slot = std::make_unique<ReportBand>(kind);
    return *slot;
}

void BandReport::setFont(const QString& family, double pointSize)
{
    m_fontFamily = family;
    m_fontSize = pointSize;
}

bool BandReport::run(PageSink& sink)
{
    if (m_beforePrint)
        m_beforePrint();
    sink.begin(m_title);
    sink.progress(0);
    Layout(*this, sink).run(m_needData, m_expectedRows);
    sink.progress(100);
    return sink.finish();
}

std::vector<ReportPage> BandReport::pages()
{
    PageVector out;
    run(out);
    return std::move(out.pages);
}

bool BandReport::exportTo(ExportFilter& filter)
{
    return run(filter);
}

PrintJob* BandReport::newJob()
{
    auto* job = new PrintJob(this);
    job->setDeleteOnPreviewClosed(true);
    return job;
}

PrintJob* BandReport::preview()
{
    PrintJob* job = newJob();
    std::unique_ptr<TQRPreviewInterface> preview = PreviewInterfaceClass::create();
    preview->ShowPreview(job);
    job->generate();
    return job;
}

void BandReport::previewModal()
{
    PrintJob* job = newJob();
    // The modal preview runs its own loop; the pages are made from it.
    QTimer::singleShot(0, job, &PrintJob::generate);
    std::unique_ptr<TQRPreviewInterface> preview = PreviewInterfaceClass::create();
    preview->ShowPreviewModal(job);
}

} // namespace bw
