#include "report_engine/BandReport.h"

#include "base/DateTimeText.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/PageSink.h"
#include "report_engine/PrintJob.h"
#include "report_engine/ReportPage.h"
#include "report_engine/StandardPreviewOpener.h"
#include "report_engine/TextMeasure.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>
#include <limits>

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

    void start() { openPage(true); }

    // Lays rows out until the deadline passes or the data ends; true at the
    // end, the summary placed and the last page given to the sink.
    bool step(const BandReport::NeedData& needData, int expectedRows, const QDeadlineTimer& deadline)
    {
        while (needData && needData()) {
            place(BandReport::Kind::Detail);
            ++m_rows;
            if (expectedRows > 0) {
                const int percent = static_cast<int>(std::min<qint64>(99, qint64(m_rows) * 100 / expectedRows));
                if (percent != m_shown)
                    m_sink.progress(m_shown = percent);
            }
            if (deadline.hasExpired())
                return false;
        }
        place(BandReport::Kind::Summary);
        closePage();
        return true;
    }

    PageSink& sink() const { return m_sink; }

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
        const std::size_t first = out.size();
        std::vector<double> designTops;
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
            designTops.push_back(field->yMm());
            out.push_back(std::move(t));
        }
        const double bottom = flow(out, first, designTops);
        return std::max(height + m_shift, bottom);
    }

    // An empty text takes no room and needs no blank beside it.
    static bool takesRoom(const PageText& t) { return !t.text.isEmpty() || t.wrap; }

    // Keeps the band's texts apart: the texts of each line (those sharing a
    // top) at least a blank from each other and inside the printable width,
    // and every line below the lowest text of the lines above it. Returns the
    // lowest text's bottom; m_shift holds how far the lines moved down.
    double flow(std::vector<PageText>& out, std::size_t first, const std::vector<double>& designTops)
    {
        std::vector<std::size_t> order(out.size() - first);
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return designTops[a] < designTops[b]; });
        const double gap = m_measure.widthMm(QStringLiteral(" "), m_report.fontFamily(), m_report.fontPointSize(),
                                             false, false);
        m_shift = 0;
        double bottom = 0;
        for (std::size_t a = 0; a < order.size();) {
            std::size_t b = a;
            const double top = designTops[order[a]];
            std::vector<PageText*> line;
            while (b < order.size() && designTops[order[b]] - top <= 0.1)
                line.push_back(&out[first + order[b++]]);
            // A line of empty texts prints nothing and moves nothing.
            const bool ink = std::any_of(line.begin(), line.end(), [](const PageText* t) { return takesRoom(*t); });
            if (ink && a > 0 && top + m_shift < bottom)
                m_shift = bottom - top;
            for (PageText* t : line)
                t->rectMm.translate(0, m_shift);
            const double lineBottom = spread(line, gap);
            bottom = std::max(bottom, lineBottom);
            a = b;
        }
        return bottom;
    }

    // Moves the texts of one line right of their left neighbour's blank,
    // then back inside the width; a line that cannot hold them all keeps
    // those that fit and carries the rest to a line of their own below.
    // Returns the bottom of the lowest text.
    double spread(std::vector<PageText*> line, double gap)
    {
        const double width = m_area.width();
        double bottom = 0;
        std::stable_sort(line.begin(), line.end(),
                         [](const PageText* a, const PageText* b) { return a->rectMm.left() < b->rectMm.left(); });
        while (!line.empty()) {
            std::vector<double> lefts;
            double edge = -std::numeric_limits<double>::infinity();
            for (PageText* t : line) {
                const double left = std::max(t->rectMm.left(), edge);
                lefts.push_back(left);
                if (takesRoom(*t))
                    edge = left + t->rectMm.width() + gap;
            }
            std::vector<double> pulled = lefts;
            double limit = width;
            for (std::size_t i = line.size(); i-- > 0;) {
                if (!takesRoom(*line[i]))
                    continue;
                pulled[i] = std::min(pulled[i], limit - line[i]->rectMm.width());
                limit = pulled[i] - gap;
            }
            // The leftmost text that takes room stands at limit + gap.
            std::size_t kept = line.size();
            if (limit + gap >= -1e-9) {
                lefts = pulled;
            } else {
                // At least one text that takes room stays, even one wider than the line.
                bool any = false;
                for (kept = 0; kept < line.size(); ++kept) {
                    if (!takesRoom(*line[kept]))
                        continue;
                    if (any && lefts[kept] + line[kept]->rectMm.width() > width + 1e-9)
                        break;
                    any = true;
                }
            }
            double rowBottom = line.front()->rectMm.top();
            for (std::size_t i = 0; i < kept; ++i) {
                line[i]->rectMm.moveLeft(lefts[i]);
                if (takesRoom(*line[i]))
                    rowBottom = std::max(rowBottom, line[i]->rectMm.bottom());
            }
            bottom = std::max(bottom, rowBottom);
            line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(kept));
            for (PageText* t : line)
                t->rectMm.moveTop(rowBottom);
        }
        return bottom;
    }

    BandReport& m_report;
    PageSink& m_sink;
    QRectF m_area;
    QSizeF m_paper;
    QString m_now;
    TextMeasure m_measure;
    ReportPage m_page;
    double m_y = 0;
    double m_shift = 0;
    bool m_bodyStarted = false;
    int m_rows = 0;
    int m_shown = -1;
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

struct BandReport::Run {
    Run(BandReport& report, PageSink& sink)
        : layout(report, sink)
    {
    }
    Layout layout;
};

bool BandReport::run(PageSink& sink)
{
    startRun(sink);
    while (!stepRun(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
    return m_runResult;
}

void BandReport::startRun(PageSink& sink)
{
    // One run at a time: the hooks share the report's counters.
    while (!stepRun(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
    if (m_beforePrint)
        m_beforePrint();
    sink.begin(m_title);
    sink.progress(0);
    m_run = std::make_unique<Run>(*this, sink);
    m_run->layout.start();
}

bool BandReport::stepRun(QDeadlineTimer deadline)
{
    if (!m_run)
        return true;
    if (!m_run->layout.step(m_needData, m_expectedRows, deadline))
        return false;
    PageSink& sink = m_run->layout.sink();
    m_run.reset();
    sink.progress(100);
    m_runResult = sink.finish();
    return true;
}

bool BandReport::isRunningInto(const PageSink* sink) const
{
    return m_run && &m_run->layout.sink() == sink;
}

void BandReport::cancelRun(const PageSink* sink)
{
    if (isRunningInto(sink))
        m_run.reset();
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
    StandardPreviewOpener standard;
    (m_previewOpener ? *m_previewOpener : standard).showPreview(job);
    // Pages arrive while the window is open, the first as soon as it is laid out.
    job->generateStepwise();
    return job;
}

void BandReport::previewModal()
{
    PrintJob* job = newJob();
    // The modal preview runs its own loop; the pages are made from it.
    QTimer::singleShot(0, job, &PrintJob::generateStepwise);
    StandardPreviewOpener standard;
    (m_previewOpener ? *m_previewOpener : standard).showPreviewModal(job);
}

} // namespace bw
