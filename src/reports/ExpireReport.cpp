#include "reports/ExpireReport.h"

#include "base/DisplayText.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

namespace bw {

ExpireReport::ExpireReport(const ScanSession& session, QObject* parent)
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
    m_user = &detail.addField(2.6, 0);
    m_userDatabase = &detail.addField(39.7, 0);
    m_messageDatabase = &detail.addField(92.6, 0);
    m_size = &detail.addField(157.4, 0, Align::Right);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(10.6);
    m_userCount = &summary.addField(2.6, 2.6);
    m_sizeTotalField = &summary.addField(157.4, 2.6, Align::Right);
    summary.setBeforePrint([this](bool&) { fillTotals(); });

    setNeedData([this] { return nextRow(); });
}

bool ExpireReport::nextRow()
{
    const Row* row = takeRow();
    if (!row)
        return false;
    m_user->setText(displayText(row->caption));
    m_userDatabase->setText(displayText(row->column(1 + ExpireRow::UserDatabase)));
    m_messageDatabase->setText(displayText(row->column(1 + ExpireRow::MessageDatabase)));
    const std::string_view size = row->column(1 + ExpireRow::UserDatabaseSize);
    m_size->setText(displayText(size));
    addSize(m_sizeTotal, size);
    return true;
}

void ExpireReport::fillTotals()
{
    m_userCount->setText(QStringLiteral("Totals for %1 Users").arg(rowsPrinted()));
    m_sizeTotalField->setText(QString::number(m_sizeTotal));
}

} // namespace bw
