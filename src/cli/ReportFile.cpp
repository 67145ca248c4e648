#include "cli/ReportFile.h"

#include "report_engine/CsvExportFilter.h"
#include "report_engine/HtmlExportFilter.h"
#include "report_engine/PageList.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/TextExportFilter.h"
#include "reports/TCVReport.h"
#include "reports/TDocReport.h"
#include "reports/TESReport.h"
#include "reports/TUnkReport.h"
#include "session/ScanSession.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace bw {

namespace {

const QString numberMark = QStringLiteral("{n}");

std::unique_ptr<ScanReport> reportFor(const ScanSession& session)
{
    switch (session.kind()) {
    case ScanKind::Contents:
        return std::make_unique<TCVReport>(session);
    case ScanKind::Documents:
        return std::make_unique<TDocReport>(session);
    case ScanKind::Expire:
        return std::make_unique<TESReport>(session);
    case ScanKind::Structure:
        break;
    }
    return std::make_unique<TUnkReport>(session);
}

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
    return std::nullopt;
}

std::unique_ptr<QCoreApplication> ReportFile::guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // Qt keeps the arguments for the application's whole life.
    static int argc = 1;
    static char name[] = "brindlewick-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

ReportFile::ReportFile(const ScanSession& session, const QString& file, QString author)
    : m_report(reportFor(session))
    , m_file(file)
    , m_form(formOf(file).value_or(Form::Pdf))
    , m_author(std::move(author))
    , m_numbered(file.contains(numberMark))
    , m_all(std::make_unique<PageList>())
{
}

ReportFile::~ReportFile() = default;

void ReportFile::atEnd()
{
    if (!m_report->session().rows().empty() || m_reports == 0)
        add();
}

void ReportFile::add()
{
    if (m_failed)
        return;
    ++m_reports;
    const std::vector<ReportPage> pages = m_report->pages();
    if (!m_numbered) {
        for (const ReportPage& page : pages)
            m_all->append(page);
        return;
    }
    PageList one;
    for (const ReportPage& page : pages)
        one.append(page);
    QString path = m_file;
    m_failed = !write(one, path.replace(numberMark, QString::number(m_reports)));
}

bool ReportFile::finish(std::ostream& err)
{
    if (!m_failed && !m_numbered)
        m_failed = !write(*m_all, m_file);
    if (m_failed)
        err << "brindlewick-cli: " << m_error.toStdString() << '\n';
    return !m_failed;
}

bool ReportFile::write(const PageList& pages, const QString& path)
{
    if (m_form == Form::PageFile)
        return pages.saveToFile(path, &m_error);
    std::unique_ptr<ExportFilter> filter;
    switch (m_form) {
    case Form::Pdf: {
        auto pdf = std::make_unique<PdfExportFilter>(path);
        // As the preview's Save: the user, the job's title and the first
        // line of the report's description.
        const QStringList& description = m_report->description();
        pdf->setDocumentInfo(m_author, m_report->title(), description.isEmpty() ? QString() : description.constFirst());
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
    filter->begin(m_report->title());
    for (int i = 1; i <= pages.pageCount(); ++i) {
        if (const std::optional<ReportPage> page = pages.page(i))
            filter->addPage(*page);
    }
    if (filter->finish())
        return true;
    m_error = filter->errorString();
    return false;
}

} // namespace bw
