#include "reports/TESReport.h"

#include "base/DisplayText.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

namespace bw {

TESReport::TESReport(const ScanSession& session, QObject* parent)
    : ScanReport(session, QStringLiteral("GWCheck Expire Statistics Check Parser Report"), parent)
{
    using Align = ReportField::Align;
    pageSetup() = PageSetup(PageSetup::Paper::A4, QPageLayout::Portrait, 10);
    addHeading({7.9, 13.2, 153.5, 2.6, 7.9, 13.2, 66.1, 2.6});

    ReportBand& columns = band(Kind::ColumnHeader);
    columns.setHeightMm(9.3);
    columns.addText(QStringLiteral("User Name"), 2.6, 2.6);
    columns.addText(QStringLiteral("User Database Name"), 33.1, 2.6);
    columns.addText(QStringLiteral("Message Database Name"), 121.7, 2.6, Align::Right);
    columns.addText(QStringLiteral("User Database Size"), 132.3, 2.6);

    ReportBand& detail = band(Kind::Detail);
    detail.setHeightMm(5.3);
    QRLabel10 = &detail.addField(2.6, 0);
    QRLabel11 = &detail.addField(39.7, 0);
    QRLabel12 = &detail.addField(92.6, 0);
    QRLabel13 = &detail.addField(157.4, 0, Align::Right);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(10.6);
    QRLabel17 = &summary.addField(2.6, 2.6);
    QRLabel19 = &summary.addField(157.4, 2.6, Align::Right);
    summary.setBeforePrint([this](bool&) { SummaryBand1BeforePrint(); });

    setNeedData([this] { return ESReportNeedData(); });
}

bool TESReport::ESReportNeedData()
{
    const Row* row = nextRow();
    if (!row)
        return false;
    QRLabel10->setText(displayText(row->caption));
    QRLabel11->setText(displayText(row->column(1 + ExpireRow::UserDatabase)));
    QRLabel12->setText(displayText(row->column(1 + ExpireRow::MessageDatabase)));
    const std::string_view size = row->column(1 + ExpireRow::UserDatabaseSize);
    QRLabel13->setText(displayText(size));
    addSize(SizeTotal, size);
    return true;
}

void TESReport::SummaryBand1BeforePrint()
{
    QRLabel17->setText(QStringLiteral("Totals for %1 Users").arg(rowsPrinted()));
    QRLabel19->setText(QString::number(SizeTotal));
}

} // namespace bw
