#pragma once

#include "report_engine/ExportFilter.h"

#include <QTemporaryFile>

#include <memory>

class QPainter;
class QPdfWriter;

namespace bw {

// A PDF document of the pages, its document information carrying the
// author, title and subject given (Qt's writer knows no author or subject;
// qpdf sets all three).
class PdfExportFilter : public ExportFilter {
public:
    explicit PdfExportFilter(const QString& fileName);
    ~PdfExportFilter() override;

    void setDocumentInfo(const QString& author, const QString& title, const QString& subject);

    void begin(const QString& title) override;
    void addPage(const ReportPage& page) override;
    bool finish() override;

private:
    QString m_author;
    QString m_title;
    QString m_subject;
    bool m_titleGiven = false;
    QTemporaryFile m_drawn;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace bw
