#include "actions/ExportFile.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace bw {

ExportFile::ExportFile(const QString& path)
    : m_file(path)
{
}

bool ExportFile::open()
{
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    m_error = m_file.errorString();
    return false;
}

bool ExportFile::write(std::string_view bytes)
{
    if (!m_error.isEmpty())
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (m_file.write(bytes.data(), size) == size && m_file.flush())
        return true;
    // A full disk can make QSaveFile write part of the bytes without an
    // error of its own, and then commit the short file: the reason is errno.
    const int code = errno;
    m_error = m_file.error() == QFileDevice::NoError && code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                                                                   : m_file.errorString();
    m_file.cancelWriting();
    return false;
}

bool ExportFile::commit()
{
    if (!m_error.isEmpty())
        return false;
    if (m_file.commit())
        return true;
    m_error = m_file.errorString();
    return false;
}

void ExportFile::discard()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

QString ExportFile::errorText() const
{
    return QDir::toNativeSeparators(m_file.fileName()) + QStringLiteral(": ") + m_error;
}

QString ExportFile::save(const QString& path, std::string_view bytes)
{
    ExportFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return QString();
    return file.errorText();
}

} // namespace bw
