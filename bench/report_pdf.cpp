// Times a band report of N rows laid out, its first page drawn as the
// preview draws it and its PDF export, against a plain QPdfWriter loop that
// draws the same rows, in the same process. Prints both and their ratio.
//
//   report_pdf ROWS RUNS OUT_DIR

#include "report_engine/BandReport.h"
#include "report_engine/PageRenderer.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/PrintJob.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Row {
    QString name, fid, size, date;
};

std::vector<Row> makeRows(int n)
{
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        rows.push_back({QStringLiteral("USER%1").arg(i), QString::number(0x1000 + i, 16), QString::number(i * 3137),
                        QStringLiteral("9 Dec 2026 12:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'))});
    return rows;
}

// A report shaped as the program's: four columns, one right-aligned.
class Report {
public:
    explicit Report(const std::vector<Row>& rows)
        : m_rows(rows)
    {
        using Kind = bw::BandReport::Kind;
        using Align = bw::ReportField::Align;
        bw::ReportBand& header = report.band(Kind::PageHeader);
        header.setHeightMm(7.9);
        header.addText(QStringLiteral("Benchmark Report"), 13.2, 2.6);
        header.addDateTime(153.5, 2.6);
        report.band(Kind::Title).setHeightMm(7.9);
        report.band(Kind::Title).addText(QStringLiteral("Results of Parsing Log File"), 13.2, 2.6);
        bw::ReportBand& columns = report.band(Kind::ColumnHeader);
        columns.setHeightMm(9.3);
        columns.addText(QStringLiteral("User Name"), 2.6, 2.6);
        columns.addText(QStringLiteral("User FID"), 39.7, 2.6);
        columns.addText(QStringLiteral("Size"), 97.4, 2.6, Align::Right);
        columns.addText(QStringLiteral("Run Date"), 110, 2.6);
        bw::ReportBand& detail = report.band(Kind::Detail);
        detail.setHeightMm(5.3);
        m_fields = {&detail.addField(2.6, 0), &detail.addField(39.7, 0), &detail.addField(97.4, 0, Align::Right),
                    &detail.addField(110, 0)};
        bw::ReportBand& summary = report.band(Kind::Summary);
        summary.setHeightMm(10.6);
        m_total = &summary.addField(2.6, 2.6);
        summary.setBeforePrint([this](bool&) { m_total->setText(QStringLiteral("Totals for %1 Users").arg(m_index - 1)); });
        report.setBeforePrint([this] {
            report.setTitle(QStringLiteral("Benchmark Report"));
            m_index = 0;
        });
        report.setNeedData([this] {
            const bool more = m_index < static_cast<int>(m_rows.size());
            if (more) {
                const Row& r = m_rows[static_cast<std::size_t>(m_index)];
                m_fields[0]->setText(r.name);
                m_fields[1]->setText(r.fid);
                m_fields[2]->setText(r.size);
                m_fields[3]->setText(r.date);
            }
            ++m_index;
            return more;
        });
    }

    bw::BandReport report;

private:
    const std::vector<Row>& m_rows;
    std::array<bw::ReportField*, 4> m_fields{};
    bw::ReportField* m_total = nullptr;
    int m_index = 0;
};

double engineSeconds(const std::vector<Row>& rows, const QString& out)
{
    QElapsedTimer clock;
    clock.start();
    Report r(rows);
    bw::PrintJob job(&r.report);
    job.generate();
    // The preview's first page at 100 % on a 96-dpi screen.
    const std::optional<bw::ReportPage> first = job.page(1);
    QImage image(794, 1123, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        bw::PageRenderer::draw(painter, *first, 96 / 25.4);
    }
    bw::PdfExportFilter pdf(out);
    pdf.setDocumentInfo(QStringLiteral("BENCH"), job.title(), QStringLiteral("Results of Parsing Log File"));
    if (!job.exportTo(pdf)) {
        std::fprintf(stderr, "report_pdf: %s\n", qPrintable(pdf.errorString()));
        std::exit(1);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The same rows, drawn straight onto a QPdfWriter with the same fonts and
// places, fifty rows a page, and the headers on every page.
double plainSeconds(const std::vector<Row>& rows, const QString& out)
{
    QElapsedTimer clock;
    clock.start();
    QPdfWriter writer(out);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter(&writer);
    const double dot = writer.resolution() / 25.4;
    QFont bold(QStringLiteral("Arial"), 10);
    bold.setBold(true);
    const QFont normal(QStringLiteral("Arial"), 10);
    auto text = [&](double x, double y, const QString& s, bool right = false) {
        const QRectF box = right ? QRectF(0, y * dot, x * dot, 6 * dot) : QRectF(x * dot, y * dot, 200 * dot, 6 * dot);
        painter.drawText(box, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, s);
    };
    double y = 1e9;
    for (const Row& r : rows) {
        if (y > 270) {
            if (y < 1e9)
                writer.newPage();
            painter.setFont(bold);
            text(13.2, 2.6, QStringLiteral("Benchmark Report"));
            text(2.6, 10.5, QStringLiteral("User Name"));
            text(39.7, 10.5, QStringLiteral("User FID"));
            text(97.4, 10.5, QStringLiteral("Size"), true);
            text(110, 10.5, QStringLiteral("Run Date"));
            painter.setFont(normal);
            y = 17.2;
        }
        text(2.6, y, r.name);
        text(39.7, y, r.fid);
        text(97.4, y, r.size, true);
        text(110, y, r.date);
        y += 5.3;
    }
    painter.end();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: report_pdf ROWS RUNS OUT_DIR\n");
        return 2;
    }
    const int n = std::max(1, std::atoi(argv[1]));
    const int runs = std::max(1, std::atoi(argv[2]));
    const QString dir = QString::fromLocal8Bit(argv[3]);
    const std::vector<Row> rows = makeRows(n);
    double engine = 1e9, plain = 1e9;
    // Alternate the two so that neither gains from a warmer machine.
    for (int i = 0; i < runs; ++i) {
        plain = std::min(plain, plainSeconds(rows, dir + QStringLiteral("/plain.pdf")));
        engine = std::min(engine, engineSeconds(rows, dir + QStringLiteral("/report.pdf")));
    }
    std::printf("%.3f %.3f %.2f\n", engine, plain, engine / plain);
    return 0;
}
