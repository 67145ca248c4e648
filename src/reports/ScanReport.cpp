#include "reports/ScanReport.h"

#include "base/Text.h"
#include "report_engine/PrintJob.h"
#include "session/ScanSession.h"

#include <QPrinterInfo>

namespace bw {

ScanReport::ScanReport(const ScanSession& session, const QString& headerText, QObject* parent)
    : BandReport(parent)
    , m_session(session)
    , m_headerText(headerText)
{
    setFont(QStringLiteral("Arial"), 10);
    setBeforePrint([this] { beforeRun(); });
    // A preview lays its pages out from the event loop; should the list
    // change meanwhile (a header click, Continue), the run ends with the
    // rows printed so far rather than mix two orders or two sections.
    const auto moved = [this] { m_rowsMoved = true; };
    connect(&session, &ScanSession::sortChanged, this, moved);
    connect(&session, &ScanSession::progressChanged, this, moved);
}

void ScanReport::addSize(std::int64_t& total, std::string_view text)
{
    if (text == "N/A")
        return;
    const std::optional<std::int64_t> value = readInt64(trim(text));
    std::int64_t sum = 0;
    if (value && !__builtin_add_overflow(total, *value, &sum))
        total = sum;
}

void ScanReport::addHeading(const Heading& h)
{
    ReportBand& header = band(Kind::PageHeader);
    header.setHeightMm(h.headerHeight);
    header.addText(m_headerText, h.headerTextX, h.headerY);
    header.addDateTime(h.dateX, h.headerY);
    ReportBand& title = band(Kind::Title);
    title.setHeightMm(h.titleHeight);
    title.addText(QStringLiteral("Results of Parsing Log File"), h.resultsX, h.titleY);
    m_path = &title.addField(h.pathX, h.titleY);
}

void ScanReport::beforeRun()
{
    pageSetup().setPaperFromPrinter(PrintJob::printerAt(printerIndex()));
    setTitle(m_headerText);
    m_path->setText(m_session.logPath());
    // A long path wraps inside the right margin of this run's paper.
    m_path->setWrapWidthMm(pageSetup().printableRectMm().width() - m_path->xMm());
    addDescription(QStringLiteral("Results of Parsing Log File ") + m_session.logPath());
    m_rowIndex = 0;
    m_rowsMoved = false;
    setExpectedRows(static_cast<int>(m_session.rows().size()));
    resetRun();
}

const Row* ScanReport::takeRow()
{
    const RowStore& rows = m_session.rows();
    const int index = m_rowIndex++;
    if (m_rowsMoved || index < 0 || static_cast<std::size_t>(index) >= rows.size())
        return nullptr;
    return &rows.at(static_cast<std::size_t>(index));
}

} // namespace bw
