#pragma once

#include "report_engine/ExportFilter.h"
#include "report_engine/ExportFilterList.h"

namespace bw {

// An HTML document that is also well-formed XML: one block per page the
// size of the sheet, each text placed at its position in millimetres with
// its font; every text escaped. UTF-8.
class HtmlExportFilter : public ExportFilter {
public:
    using ExportFilter::ExportFilter;
    static ExportFilterList::Entry entry();

    void begin(const QString& title) override;
    void addPage(const ReportPage& page) override;
    bool finish() override;

private:
    void write(const QString& text);

    bool m_begun = false;
};

} // namespace bw
