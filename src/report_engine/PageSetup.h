#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>

class QPrinterInfo;

namespace bw {

// The paper of a report: its size and orientation and the margins, all in
// millimetres; the bands are laid out inside the margins.
class PageSetup {
public:
    enum class Paper { A4, Letter };

    PageSetup() = default;
    PageSetup(Paper paper, QPageLayout::Orientation orientation, double marginMm);

    void setPaper(Paper paper);
    void setPageSize(const QPageSize& size) { m_size = size; }
    // The paper the printer is set to; an invalid printer changes nothing.
    void setPaperFromPrinter(const QPrinterInfo& printer);

    QPageLayout::Orientation orientation() const { return m_orientation; }

    const QMarginsF& margins() const { return m_margins; }

    // The sheet as it lies, landscape turned.
    QSizeF paperSizeMm() const;
    // Where bands go: the sheet less the margins.
    QRectF printableRectMm() const;

private:
    QPageSize m_size{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins{10, 10, 10, 10};
};

} // namespace bw
