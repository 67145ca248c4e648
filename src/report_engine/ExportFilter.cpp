#include "report_engine/ExportFilter.h"

#include "actions/ExportFile.h"

namespace bw {

bool ExportFilter::writeFile(const QByteArray& bytes)
{
    m_error = ExportFile::save(m_fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return m_error.isEmpty();
}

} // namespace bw
