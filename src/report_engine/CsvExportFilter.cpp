#include "report_engine/CsvExportFilter.h"

#include "report_engine/ReportPage.h"

namespace bw {

CsvExportFilter::CsvExportFilter(const QString& fileName, QChar separator)
    : ExportFilter(fileName)
    , m_separator(separator)
{
}

ExportFilterList::Entry CsvExportFilter::entry(QChar separator)
{
    return {QStringLiteral("Comma Separated"), QStringLiteral("CSV"), [separator](const QString& fileName) {
                return std::make_unique<CsvExportFilter>(fileName, separator);
            }};
}

void CsvExportFilter::addPage(const ReportPage& page)
{
    for (const auto& line : page.lines()) {
        QString record;
        bool first = true;
        for (const PageText* t : line) {
            if (!first)
                record += m_separator;
            first = false;
            QString value = t->text;
            if (value.contains(m_separator) || value.contains(u'"') || value.contains(u'\n')
                || value.contains(u'\r')) {
                value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                value = u'"' + value + u'"';
            }
            record += value;
        }
        m_out += record.toUtf8();
        m_out += "\r\n";
    }
}

bool CsvExportFilter::finish()
{
    return writeFile(m_out);
}

} // namespace bw
