#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace bw {

// One text as laid out on a page: its box in millimetres from the sheet's
// top left corner, its font and how it sits in the box.
struct PageText {
    enum class Align : quint8 { Left, Right, Center };

    QRectF rectMm;
    QString text;
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool wrap = false;
    Align align = Align::Left;

    bool operator==(const PageText&) const = default;
};

// A laid-out page: what the screen, the printer, the exports and the page
// file all draw from, so that every output shows the same page.
class ReportPage {
public:
    ReportPage() = default;
    explicit ReportPage(QSizeF sizeMm)
        : m_sizeMm(sizeMm)
    {
    }

    QSizeF sizeMm() const { return m_sizeMm; }

    const std::vector<PageText>& texts() const { return m_texts; }
    void add(PageText text) { m_texts.push_back(std::move(text)); }

    // The printed lines, top to bottom, each its texts left to right: texts
    // whose tops lie within a tenth of a millimetre share a line.
    std::vector<std::vector<const PageText*>> lines() const;

    bool operator==(const ReportPage&) const = default;

private:
    QSizeF m_sizeMm;
    std::vector<PageText> m_texts;
};

} // namespace bw
