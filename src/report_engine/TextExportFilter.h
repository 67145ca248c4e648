#pragma once

#include "report_engine/ExportFilter.h"
#include "report_engine/ExportFilterList.h"

namespace bw {

// Plain text: one line per printed line, each text at the column its
// position gives at ten characters to the inch from the sheet's left edge,
// never over the text before it; a form feed begins every page after the
// first. UTF-8, lines ending in LF.
class TextExportFilter : public ExportFilter {
public:
    static constexpr double columnWidthMm = 2.54;

    using ExportFilter::ExportFilter;
    static ExportFilterList::Entry entry();

    void addPage(const ReportPage& page) override;
    bool finish() override;

private:
    QByteArray m_out;
    int m_pages = 0;
};

} // namespace bw
