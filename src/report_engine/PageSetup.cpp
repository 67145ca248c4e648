#include "report_engine/PageSetup.h"

#include <QPrinterInfo>

namespace bw {

PageSetup::PageSetup(Paper paper, QPageLayout::Orientation orientation, double marginMm)
    : m_orientation(orientation)
    , m_margins(marginMm, marginMm, marginMm, marginMm)
{
    setPaper(paper);
}

void PageSetup::setPaper(Paper paper)
{
    m_size = QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

void PageSetup::setPaperFromPrinter(const QPrinterInfo& printer)
{
    if (printer.isNull())
        return;
    const QPageSize size = printer.defaultPageSize();
    if (size.isValid())
        m_size = size;
}

QSizeF PageSetup::paperSizeMm() const
{
    const QSizeF portrait = m_size.size(QPageSize::Millimeter);
    if (m_orientation == QPageLayout::Landscape)
        return portrait.transposed();
    return portrait;
}

QRectF PageSetup::printableRectMm() const
{
    return QRectF(QPointF(0, 0), paperSizeMm()).marginsRemoved(m_margins);
}

} // namespace bw
