#include "report_engine/PdfExportFilter.h"

#include "report_engine/PageRenderer.h"
#include "report_engine/PdfDocumentInfo.h"
#include "report_engine/ReportPage.h"
#include "report_engine/ReportUnits.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>


namespace bw {

PdfExportFilter::PdfExportFilter(const QString& fileName)
    : ExportFilter(fileName)
{
    // Pages go to a temporary file as they are drawn, not to memory.
    m_drawn.setFileTemplate(QDir(QDir::tempPath()).filePath(QStringLiteral("brindlewick-pdf-XXXXXX")));
    m_drawn.open();
    m_writer = std::make_unique<QPdfWriter>(&m_drawn);
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
    if (!m_drawn.flush() || m_drawn.error() != QFileDevice::NoError) {
        setErrorString(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_drawn.fileName()), m_drawn.errorString()));
        return false;
    }
    QTemporaryFile done(QDir(QDir::tempPath()).filePath(QStringLiteral("brindlewick-pdf-XXXXXX")));
    if (!done.open()) {
        setErrorString(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(done.fileName()), done.errorString()));
        return false;
    }
    std::string error;
    if (!PdfDocumentInfo::apply(QFile::encodeName(m_drawn.fileName()).toStdString(),
                                QFile::encodeName(done.fileName()).toStdString(), m_author.toStdString(),
                                m_title.toStdString(), m_subject.toStdString(), error)) {
        setErrorString(QStringLiteral("Could not write the PDF document information: %1").arg(QString::fromStdString(error)));
        return false;
    }
    m_drawn.close();
    // The finished document goes over in blocks, through the one writer.
    QFile in(done.fileName());
    if (!in.open(QIODevice::ReadOnly)) {
        setErrorString(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(done.fileName()), in.errorString()));
        return false;
    }
    if (!openStream())
        return false;
    QByteArray block;
    while (!(block = in.read(1 << 16)).isEmpty()) {
        if (!writeStream(std::string_view(block.constData(), static_cast<std::size_t>(block.size()))))
            return false;
    }
    if (in.error() != QFileDevice::NoError) {
        setErrorString(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(done.fileName()), in.errorString()));
        return false;
    }
    return commitStream();
}

} // namespace bw
