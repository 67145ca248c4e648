#include "report_engine/ExportFilter.h"

#include "base/ExportFile.h"

namespace bw {

ExportFilter::ExportFilter(QString fileName)
    : m_fileName(std::move(fileName))
{
}

ExportFilter::~ExportFilter() = default;

bool ExportFilter::openStream()
{
    m_stream = std::make_unique<ExportFile>(m_fileName);
    if (m_stream->open())
        return true;
    m_error = m_stream->errorText();
    return false;
}

bool ExportFilter::writeStream(std::string_view bytes)
{
    if (!m_error.isEmpty() || !m_stream)
        return false;
    if (m_stream->write(bytes))
        return true;
    m_error = m_stream->errorText();
    return false;
}

bool ExportFilter::commitStream()
{
    if (!m_error.isEmpty() || !m_stream)
        return false;
    if (m_stream->commit())
        return true;
    m_error = m_stream->errorText();
    return false;
}

bool ExportFilter::writeFile(const QByteArray& bytes)
{
    m_error = ExportFile::save(m_fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return m_error.isEmpty();
}

} // namespace bw
