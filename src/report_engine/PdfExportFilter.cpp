#include "report_engine/PdfExportFilter.h"

#include "report_engine/PageRenderer.h"
#include "report_engine/PdfDocumentInfo.h"
#include "report_engine/ReportPage.h"
#include "report_engine/ReportUnits.h"

#include <QPainter>
#include <QPdfWriter>


namespace bw {

PdfExportFilter::PdfExportFilter(const QString& fileName)
    : ExportFilter(fileName)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setCreator(QStringLiteral("Brindlewick"));
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

PdfExportFilter::~PdfExportFilter()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void PdfExportFilter::setDocumentInfo(const QString& author, const QString& title, const QString& subject)
{
    m_author = author;
    m_title = title;
    m_subject = subject;
    m_titleGiven = true;
}

void PdfExportFilter::begin(const QString& title)
{
    if (!m_titleGiven)
        m_title = title;
    m_writer->setTitle(m_title);
}

void PdfExportFilter::addPage(const ReportPage& page)
{
    m_writer->setPageSize(QPageSize(page.sizeMm(), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_writer.get()))
            return;
    } else {
        m_writer->newPage();
    }
    PageRenderer::draw(*m_painter, page, m_writer->resolution() / mmPerInch);
}

bool PdfExportFilter::finish()
{
    if (!m_painter) {
        // A PDF needs a page: no pages give one blank sheet.
        m_painter = std::make_unique<QPainter>(m_writer.get());
    }
    m_painter->end();
    m_writer.reset();
    const QByteArray raw = m_buffer.data();
    std::string error;
    const std::string done = PdfDocumentInfo::apply(raw.toStdString(), m_author.toStdString(), m_title.toStdString(),
                                                    m_subject.toStdString(), error);
    if (done.empty()) {
        setErrorString(QStringLiteral("Could not write the PDF document information: %1").arg(QString::fromStdString(error)));
        return false;
    }
    return writeFile(QByteArray::fromStdString(done));
}

} // namespace bw
