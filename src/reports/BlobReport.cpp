#include "reports/BlobReport.h"

#include "base/DisplayText.h"
#include "lists/BlobFullPath.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

#include <algorithm>

namespace bw {

namespace {

constexpr double sizeRight = 147.4;
constexpr double dateX = 151.1;
constexpr double outcomeX = 185.2;
constexpr double pathX = 46.3;

} // namespace

BlobReport::BlobReport(const ScanSession& session, QObject* parent)
    : ScanReport(session, QStringLiteral("GWCheck Document Error 52 Check Parser Report"), parent)
{
    using Align = ReportField::Align;
    pageSetup() = PageSetup(PageSetup::Paper::A4, QPageLayout::Landscape, 1);
    addHeading({7.9, 13.2, 224.9, 2.6, 7.9, 13.2, 66.1, 2.6});

    ReportBand& columns = band(Kind::ColumnHeader);
    columns.setHeightMm(9.3);
    columns.addText(QStringLiteral("BLOB File"), 2.6, 2.6);
    columns.addText(QStringLiteral("Library"), 79.4, 2.6);
    columns.addText(QStringLiteral("File Size"), 147.4, 2.6, Align::Right);
    columns.addText(QStringLiteral("File Date and Time"), 151.1, 2.6);
    m_outcomeHeading = &columns.addText(QStringLiteral("File Copied to"), outcomeX, 2.6);

    ReportBand& detail = band(Kind::Detail);
    detail.setHeightMm(13.2);
    m_file = &detail.addField(2.6, 0);
    m_library = &detail.addField(79.4, 0);
    m_size = &detail.addField(sizeRight, 0, Align::Right);
    m_time = &detail.addField(dateX, 0);
    m_outcome = &detail.addField(outcomeX, 0);
    m_backdated = &detail.addText(QStringLiteral("File to be Backdated is"), 2.6, 5.3);
    m_path = &detail.addField(pathX, 5.3);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(10.6);
    m_total = &summary.addField(2.6, 2.6);
    summary.setBeforePrint([this](bool&) { fillTotals(); });

    setNeedData([this] { return nextRow(); });
}

void BlobReport::resetRun()
{
    const QString& family = fontFamily();
    const double size = fontPointSize();
    const double blank = m_measure.widthMm(QStringLiteral(" "), family, size, false, false);
    // A long library path wraps before the sizes, which may be ten digits.
    const double digits = m_measure.widthMm(QStringLiteral("0000000000"), family, size, false, false);
    m_library->setWrapWidthMm(sizeRight - 79.4 - digits - 2 * blank);
    // The outcome stands clear of its date heading and of the widest date
    // of this run, in this locale's form, and its heading with it.
    const double heading = m_measure.widthMm(QStringLiteral("File Date and Time"), family, size, true, false);
    double x = std::max(outcomeX, dateX + heading + blank);
    const RowStore& rows = session().rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString date = displayText(rows.at(i).column(1 + BlobRow::DateAndTime));
        x = std::max(x, dateX + m_measure.widthMm(date, family, size, false, false) + 2 * blank);
    }
    m_outcome->setPosition(x, 0);
    m_outcomeHeading->setPosition(x, 2.6);
    m_path->setWrapWidthMm(pageSetup().printableRectMm().width() - pathX);
}

bool BlobReport::nextRow()
{
    const Row* row = takeRow();
    if (!row)
        return false;
    m_file->setText(displayText(row->caption));
    m_library->setText(displayText(row->column(1 + BlobRow::LibraryLocation)));
    m_size->setText(displayText(row->column(1 + BlobRow::FileSize)));
    m_time->setText(displayText(row->column(1 + BlobRow::DateAndTime)));
    m_outcome->setText(displayText(row->column(1 + BlobRow::Outcome)));
    m_path->setText(displayText(blobFullPath(*row)));
    // The second line goes under the library however far it wrapped, and the
    // designed space below it stays however far the path wrapped.
    const double second = std::max(5.3, m_measure.wrappedHeightMm(m_library->text(), m_library->wrapWidthMm(),
                                                                  fontFamily(), fontPointSize(), false, false));
    m_backdated->setPosition(m_backdated->xMm(), second);
    m_path->setPosition(m_path->xMm(), second);
    const double line = m_measure.lineHeightMm(fontFamily(), fontPointSize(), false, false);
    const double path = m_measure.wrappedHeightMm(m_path->text(), m_path->wrapWidthMm(), fontFamily(),
                                                  fontPointSize(), false, false);
    band(Kind::Detail).setHeightMm(second + 13.2 - 5.3 + std::max(0.0, path - line));
    return true;
}

void BlobReport::fillTotals()
{
    m_total->setText(QStringLiteral("Total - %1 BLOB Files").arg(rowsPrinted()));
}

} // namespace bw
