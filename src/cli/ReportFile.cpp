#include "cli/ReportFile.h"

#include "report_engine/CsvExportFilter.h"
#include "report_engine/HtmlExportFilter.h"
#include "report_engine/PageList.h"
#include "report_engine/PageSink.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/TextExportFilter.h"
#include "reports/ScanReport.h"

#include <QFileInfo>

namespace bw {

namespace {

const QString numberMark = QStringLiteral("{n}");

// Appends a run's pages to a page list.
class PageListSink : public PageSink {
public:
    explicit PageListSink(PageList& pages)
        : m_pages(pages)
    {
    }
    void addPage(const ReportPage& page) override { m_held = m_held && m_pages.append(page); }
    bool ok(QString& error) const
    {
        if (!m_held)
            error = QStringLiteral("Could not hold the report's pages in the temporary folder.");
        return m_held;
    }

private:
    PageList& m_pages;
    bool m_held = true;
};

} // namespace

std::optional<ReportFile::Form> ReportFile::formOf(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return Form::Pdf;
    if (suffix == QLatin1String("txt"))
        return Form::Text;
    if (suffix == QLatin1String("csv"))
        return Form::Csv;
    if (suffix == QLatin1String("htm"))
        return Form::Html;
    if (suffix == QLatin1String("qrp"))
        return Form::PageFile;
    // A FIFO or a terminal (--report /dev/stdout) reads as text.
    const QFileInfo target(file);
    if (target.exists() && !target.isFile() && !target.isDir())
        return Form::Text;
    return std::nullopt;
}

ReportFile::ReportFile(const ScanSession& session, const QString& file, QString author)
    : ReportOutput(session)
    , m_file(file)
    , m_form(formOf(file).value_or(Form::Pdf))
    , m_author(std::move(author))
    , m_numbered(file.contains(numberMark))
    , m_all(std::make_unique<PageList>())
{
}

ReportFile::~ReportFile() = default;

bool ReportFile::produce(int n, QString& error)
{
    // Pages go into a page list as they are laid out, which keeps them in a
    // temporary file beyond its first 100,000 bytes: memory stays flat
    // however long the report.
    if (!m_numbered) {
        PageListSink sink(*m_all);
        report().run(sink);
        return sink.ok(error);
    }
    PageList one;
    PageListSink sink(one);
    report().run(sink);
    if (!sink.ok(error))
        return false;
    QString path = m_file;
    return write(one, path.replace(numberMark, QString::number(n)), error);
}

bool ReportFile::complete(QString& error)
{
    return m_numbered || write(*m_all, m_file, error);
}

bool ReportFile::write(const PageList& pages, const QString& path, QString& error)
{
    if (m_form == Form::PageFile)
        return pages.saveToFile(path, &error);
    std::unique_ptr<ExportFilter> filter;
    switch (m_form) {
    case Form::Pdf: {
        auto pdf = std::make_unique<PdfExportFilter>(path);
        // As the preview's Save: the user, the job's title and the first
        // line of the report's description.
        const QStringList& description = report().description();
        pdf->setDocumentInfo(m_author, report().title(), description.isEmpty() ? QString() : description.constFirst());
        filter = std::move(pdf);
        break;
    }
    case Form::Text:
        filter = std::make_unique<TextExportFilter>(path);
        break;
    case Form::Csv:
        filter = std::make_unique<CsvExportFilter>(path, u',');
        break;
    case Form::Html:
    case Form::PageFile:
        filter = std::make_unique<HtmlExportFilter>(path);
        break;
    }
    filter->begin(report().title());
    for (int i = 1; i <= pages.pageCount(); ++i) {
        if (const std::optional<ReportPage> page = pages.page(i))
            filter->addPage(*page);
    }
    if (filter->finish())
        return true;
    error = filter->errorString();
    return false;
}

} // namespace bw
