#include "reports/ContentsReport.h"

#include "base/DisplayText.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

namespace bw {

namespace {

constexpr double lineMm = 5.3;
// Right edges of the five size columns.
constexpr std::array<double, 5> sizeRight{74.1, 97.4, 120.7, 143.9, 164.6};

} // namespace

ContentsReport::ContentsReport(const ScanSession& session, QObject* parent)
    : ScanReport(session, QStringLiteral("GWCheck Contents Check Parser Report"), parent)
{
    using Align = ReportField::Align;
    pageSetup() = PageSetup(PageSetup::Paper::A4, QPageLayout::Portrait, 10);
    addHeading({7.9, 13.2, 153.5, 2.6, 7.9, 13.2, 66.1, 2.6});

    ReportBand& columns = band(Kind::ColumnHeader);
    columns.setHeightMm(9.3);
    columns.addText(QStringLiteral("User Name"), 2.6, 2.6);
    columns.addText(QStringLiteral("User FID"), 33.1, 2.6);
    const char* const headings[] = {"User DB Size", "InBox", "OutBox", "WasteBasket", "Total size"};
    for (std::size_t i = 0; i < sizeRight.size(); ++i)
        columns.addText(QString::fromLatin1(headings[i]), sizeRight[i], 2.6, Align::Right);
    columns.addText(QStringLiteral("Run Date"), 166.7, 2.6);

    ReportBand& detail = band(Kind::Detail);
    detail.setHeightMm(lineMm);
    m_name = &detail.addField(2.6, 0);
    m_fid = &detail.addField(39.7, 0);
    for (std::size_t i = 0; i < sizeRight.size(); ++i)
        m_sizes[i] = &detail.addField(sizeRight[i], 0, Align::Right);
    m_runDate = &detail.addField(166.7, 0);
    m_second[0] = &detail.addText(QStringLiteral("Disk Space Management Values:"), 13.2, lineMm);
    m_second[1] = &detail.addText(QStringLiteral("User Space Limit:"), 69.6, lineMm);
    m_second[2] = m_limit = &detail.addField(120.7, lineMm, Align::Right);
    m_second[3] = &detail.addText(QStringLiteral("Threshold:"), 127.8, lineMm);
    m_second[4] = m_threshold = &detail.addField(164.6, lineMm, Align::Right);
    m_second[5] = m_flag = &detail.addField(166.7, lineMm);

    ReportBand& summary = band(Kind::Summary);
    summary.setHeightMm(10.6);
    m_users = &summary.addField(2.6, 2.6);
    // The last total's edge sits a little left of its column's, as designed.
    constexpr std::array<double, 5> totalRight{74.1, 97.4, 120.7, 143.9, 164.0};
    for (std::size_t i = 0; i < totalRight.size(); ++i)
        m_totalFields[i] = &summary.addField(totalRight[i], 2.6, Align::Right);
    summary.setBeforePrint([this](bool&) { fillTotals(); });

    setNeedData([this] { return nextRow(); });
}

bool ContentsReport::nextRow()
{
    const Row* row = takeRow();
    if (!row)
        return false;
    m_name->setText(displayText(row->caption));
    m_fid->setText(displayText(row->column(1 + ContentsRow::UserFid)));
    for (std::size_t i = 0; i < m_sizes.size(); ++i) {
        const std::string_view size = row->column(static_cast<int>(1 + ContentsRow::UserDbSize + i));
        m_sizes[i]->setText(displayText(size));
        addSize(m_totals[i], size);
    }
    m_runDate->setText(displayText(row->column(1 + ContentsRow::ReportDate)));

    const bool managed = row->column(1 + ContentsRow::SizeLimit) != "N/A";
    for (ReportField* field : m_second)
        field->setVisible(managed);
    band(Kind::Detail).setHeightMm(managed ? 2 * lineMm : lineMm);
    const std::string_view flag = row->column(1 + ContentsRow::LimitFlag);
    const bool over = managed && (flag == "S" || flag == "T");
    m_name->setBold(over ? std::optional<bool>(true) : std::nullopt);
    m_name->setItalic(over ? std::optional<bool>(true) : std::nullopt);
    if (managed) {
        m_limit->setText(displayText(row->column(1 + ContentsRow::SizeLimit)));
        m_threshold->setText(displayText(row->column(1 + ContentsRow::ThresholdText)));
        m_flag->setText(flag == "S" ? QStringLiteral("OverSize") : flag == "T" ? QStringLiteral("OverThreshold") : QString());
        // An empty flag text prints nothing rather than an empty cell.
        m_flag->setVisible(!m_flag->text().isEmpty());
    }
    return true;
}

void ContentsReport::fillTotals()
{
    m_users->setText(QStringLiteral("Totals for %1 Users").arg(rowsPrinted()));
    for (std::size_t i = 0; i < m_totals.size(); ++i)
        m_totalFields[i]->setText(QString::number(m_totals[i]));
}

} // namespace bw
