#include "report_engine/ExportFilter.h"

#include <QDir>
#include <QSaveFile>

namespace bw {

bool ExportFilter::writeFile(const QByteArray& bytes)
{
    QSaveFile out(m_fileName);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return true;
    m_error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_fileName), out.errorString());
    return false;
}

} // namespace bw
