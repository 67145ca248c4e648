#pragma once

#include "report_engine/ExportFilter.h"
#include "report_engine/ExportFilterList.h"

#include <QChar>

namespace bw {

// Comma-separated values: one record per printed line, its texts left to
// right, quoted as RFC 4180 says (a field holding the separator, a quote or
// a line break is put in quotes, its quotes doubled); records end in CR LF.
class CsvExportFilter : public ExportFilter {
public:
    CsvExportFilter(const QString& fileName, QChar separator);
    static ExportFilterList::Entry entry(QChar separator = u',');

    void addPage(const ReportPage& page) override;
    bool finish() override;

private:
    QChar m_separator;
    QByteArray m_out;
};

} // namespace bw
