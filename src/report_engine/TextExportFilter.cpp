#include "report_engine/TextExportFilter.h"

#include "report_engine/ReportPage.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace bw {

namespace {

// Texts stand at most this far right, whatever a page file says: a sheet
// of a few metres in columns of 2.54 mm.
constexpr double widestPageMm = 5000;

// The edge a text aligns to, kept on the page.
double anchorMm(const PageText& t, double pageWidth)
{
    double x = t.rectMm.left();
    if (t.align == PageText::Align::Right)
        x = t.rectMm.right();
    else if (t.align == PageText::Align::Center)
        x = t.rectMm.center().x();
    return std::isfinite(x) ? std::clamp(x, 0.0, pageWidth) : 0.0;
}

// Where a text starts relative to its anchor's column.
int offset(const PageText& t, int length)
{
    if (t.align == PageText::Align::Right)
        return -length;
    if (t.align == PageText::Align::Center)
        return -(length / 2);
    return 0;
}

} // namespace

ExportFilterList::Entry TextExportFilter::entry()
{
    return {QStringLiteral("Text file"), QStringLiteral("TXT"),
            [](const QString& fileName) { return std::make_unique<TextExportFilter>(fileName); }};
}

void TextExportFilter::addPage(const ReportPage& page)
{
    if (m_pages++ > 0)
        m_out += '\f';
    const double width = page.sizeMm().width();
    const double pageWidth = std::isfinite(width) ? std::clamp(width, 0.0, widestPageMm) : 0.0;
    const auto lines = page.lines();

    // Every edge that texts align to gets one character column for the
    // whole page, so that a heading and its values end (or start) in the same
    // column; an edge moves right only as far as the texts before it on some
    // line need, with a blank after each.
    struct Placed {
        QString value;
        qint64 key;
        int offset;
    };
    std::vector<std::vector<Placed>> placed(lines.size());
    std::map<qint64, int> columns;
    struct Need {
        qint64 after;
        qint64 key;
        int distance;
    };
    std::vector<Need> needs;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const PageText* t : lines[i]) {
            QString value = t->text;
            value.replace(u'\n', u' ').remove(u'\r');
            const double anchor = anchorMm(*t, pageWidth);
            const qint64 key = std::llround(anchor * 10);
            columns.emplace(key, static_cast<int>(std::lround(anchor / columnWidthMm)));
            const int length = static_cast<int>(value.size());
            placed[i].push_back({std::move(value), key, offset(*t, length)});
        }
        const std::vector<Placed>& line = placed[i];
        for (std::size_t j = 1; j < line.size(); ++j) {
            const Placed& a = line[j - 1];
            const Placed& b = line[j];
            if (a.key < b.key && !a.value.isEmpty() && !b.value.isEmpty())
                needs.push_back({a.key, b.key, a.offset + static_cast<int>(a.value.size()) + 1 - b.offset});
        }
    }
    std::sort(needs.begin(), needs.end(), [](const Need& a, const Need& b) { return a.key < b.key; });
    auto need = needs.begin();
    for (auto& [key, column] : columns) {
        for (; need != needs.end() && need->key == key; ++need)
            column = std::max(column, columns[need->after] + need->distance);
    }

    for (const std::vector<Placed>& line : placed) {
        QString text;
        for (const Placed& p : line) {
            const int start = columns[p.key] + p.offset;
            const int earliest = text.isEmpty() ? 0 : static_cast<int>(text.size()) + 1;
            text += QString(std::max(start, earliest) - text.size(), u' ');
            text += p.value;
        }
        m_out += text.toUtf8();
        m_out += '\n';
    }
}

bool TextExportFilter::finish()
{
    return writeFile(m_out);
}

} // namespace bw
