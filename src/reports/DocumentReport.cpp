#include "reports/DocumentReport.h"

#include "base/DisplayText.h"
#include "lists/DocumentTargetPath.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "report_engine/ReportUnits.h"
#include "session/ScanSession.h"

#include <algorithm>

namespace bw {

namespace {

constexpr double px(double pixels)
{
    return mmFromPixels(pixels);
}

constexpr double secondLineY = px(20);
constexpr double targetX = px(175);

} // namespace

DocumentReport::DocumentReport(const ScanSession& session, QObject* parent)
    : ScanReport(session, QStringLiteral("GWCheck Document Error 50 Check Parser Report"), parent)
{
    using Align = ReportField::Align;
    pageSetup() = PageSetup(PageSetup::Paper::Letter, QPageLayout::Landscape, 1);
    addHeading({px(35), px(50), px(850), px(15), px(30), px(50), px(250), px(10)});

    struct Column {
        const char* heading;
        double x;
        Align align;
    };
    const Column columns[] = {{"Document", 15, Align::Left},    {"Version", 85, Align::Center},
                              {"Author", 140, Align::Left},     {"Library", 300, Align::Left},
                              {"Author DPU", 400, Align::Left}, {"Extension", 600, Align::Center},
                              {"File Copied to", 700, Align::Left}};
    ReportBand& header = band(Kind::ColumnHeader);
    header.setHeightMm(px(35));
    ReportBand& detail = band(Kind::Detail);
    detail.setHeightMm(px(50));
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        const Column& c = columns[i];
        // Of the headings only Extension's is centred.
        header.addText(QString::fromLatin1(c.heading), px(c.x), px(10),
                       i == 5 ? Align::Center : Align::Left);
        m_columns[i] = &detail.addField(px(c.x), 0, c.align);
    }
    m_exportedTo = &detail.addText(QStringLiteral("File will be Exported to"), px(15), secondLineY);
    m_target = &detail.addField(targetX, secondLineY);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(px(40));
    m_total = &summary.addField(px(15), px(10));
    summary.setBeforePrint([this](bool&) { fillTotals(); });

    setNeedData([this] { return nextRow(); });
}

void DocumentReport::resetRun()
{
    // Long values wrap two blanks before the next column rather than run
    // into it; the author's DPU before the widest extension of this run.
    const QString& family = fontFamily();
    const double size = fontPointSize();
    const double gap = 2 * m_measure.widthMm(QStringLiteral(" "), family, size, false, false);
    m_columns[2]->setWrapWidthMm(px(300 - 140) - gap);
    m_columns[3]->setWrapWidthMm(px(400 - 300) - gap);
    double extension = m_measure.widthMm(QStringLiteral("Unknown"), family, size, false, false);
    const RowStore& rows = session().rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        extension = std::max(extension, m_measure.widthMm(displayText(rows.at(i).column(1 + DocumentRow::Extension)),
                                                          family, size, false, false));
    m_columns[4]->setWrapWidthMm(std::max(px(100), px(600 - 400) - extension / 2 - gap));
    // The paths wrap at the right margin of the paper this run has.
    const double right = pageSetup().printableRectMm().width();
    m_columns[6]->setWrapWidthMm(right - px(700));
    m_target->setWrapWidthMm(right - targetX);
}

bool DocumentReport::nextRow()
{
    const Row* row = takeRow();
    if (!row)
        return false;
    m_columns[0]->setText(displayText(row->caption));
    for (std::size_t i = 1; i < m_columns.size(); ++i)
        m_columns[i]->setText(displayText(row->column(static_cast<int>(i))));
    m_target->setText(displayText(session().importPath(*row)));

    // The second line goes under the first however far its values wrapped.
    double firstLine = secondLineY;
    for (const ReportField* field : m_columns) {
        if (field->wrapWidthMm() > 0)
            firstLine = std::max(firstLine, m_measure.wrappedHeightMm(field->text(), field->wrapWidthMm(), fontFamily(),
                                                                      fontPointSize(), false, false));
    }
    m_exportedTo->setPosition(m_exportedTo->xMm(), firstLine);
    m_target->setPosition(m_target->xMm(), firstLine);
    // The designed space below the second line stays, however far the
    // target path wrapped.
    const double line = m_measure.lineHeightMm(fontFamily(), fontPointSize(), false, false);
    const double target = m_measure.wrappedHeightMm(m_target->text(), m_target->wrapWidthMm(), fontFamily(),
                                                    fontPointSize(), false, false);
    band(Kind::Detail).setHeightMm(firstLine + px(50 - 20) + std::max(0.0, target - line));
    return true;
}

void DocumentReport::fillTotals()
{
    m_total->setText(QStringLiteral("Total - %1 Documents").arg(rowsPrinted()));
}

} // namespace bw
