#include "reports/TUnkReport.h"

#include "base/DisplayText.h"
#include "lists/BlobFullPath.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

#include <algorithm>

namespace bw {

TUnkReport::TUnkReport(const ScanSession& session, QObject* parent)
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
    columns.addText(QStringLiteral("File Copied to"), 185.2, 2.6);

    ReportBand& detail = band(Kind::Detail);
    detail.setHeightMm(13.2);
    m_file = &detail.addField(2.6, 0);
    m_library = &detail.addField(79.4, 0);
    // A long library path wraps before the sizes, which may be ten digits.
    m_library->setWrapWidthMm(147.4 - 79.4 - 20);
    m_size = &detail.addField(147.4, 0, Align::Right);
    m_time = &detail.addField(151.1, 0);
    m_outcome = &detail.addField(185.2, 0);
    m_backdated = &detail.addText(QStringLiteral("File to be Backdated is"), 2.6, 5.3);
    m_path = &detail.addField(46.3, 5.3);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(10.6);
    m_total = &summary.addField(2.6, 2.6);
    summary.setBeforePrint([this](bool&) { SummaryBand1BeforePrint(); });

    setNeedData([this] { return CVReportNeedData(); });
}

bool TUnkReport::CVReportNeedData()
{
    const Row* row = nextRow();
    if (!row)
        return false;
    m_file->setText(displayText(row->caption));
    m_library->setText(displayText(row->column(1 + BlobRow::LibraryLocation)));
    m_size->setText(displayText(row->column(1 + BlobRow::FileSize)));
    m_time->setText(displayText(row->column(1 + BlobRow::DateAndTime)));
    m_outcome->setText(displayText(row->column(1 + BlobRow::Outcome)));
    m_path->setText(displayText(blobFullPath(*row)));
    // The second line goes under the library however far it wrapped, and the
    // designed space below it stays.
    const double second = std::max(5.3, m_measure.wrappedHeightMm(m_library->text(), m_library->wrapWidthMm(),
                                                                  fontFamily(), fontPointSize(), false, false));
    m_backdated->setPosition(m_backdated->xMm(), second);
    m_path->setPosition(m_path->xMm(), second);
    band(Kind::Detail).setHeightMm(second + 13.2 - 5.3);
    return true;
}

void TUnkReport::SummaryBand1BeforePrint()
{
    m_total->setText(QStringLiteral("Total - %1 BLOB Files").arg(rowsPrinted()));
}

} // namespace bw
