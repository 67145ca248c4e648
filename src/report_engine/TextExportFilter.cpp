#include "report_engine/TextExportFilter.h"

#include "report_engine/ReportPage.h"

#include <cmath>

namespace bw {

namespace {

int column(double mm)
{
    return static_cast<int>(std::lround(mm / TextExportFilter::columnWidthMm));
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
    for (const auto& line : page.lines()) {
        QString text;
        for (const PageText* t : line) {
            QString value = t->text;
            value.replace(u'\n', u' ').remove(u'\r');
            const int length = static_cast<int>(value.size());
            int start = column(t->rectMm.left());
            if (t->align == PageText::Align::Right)
                start = column(t->rectMm.right()) - length;
            else if (t->align == PageText::Align::Center)
                start = column(t->rectMm.center().x()) - length / 2;
            const int earliest = text.isEmpty() ? 0 : static_cast<int>(text.size()) + 1;
            text += QString(std::max(start, earliest) - text.size(), u' ');
            text += value;
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
