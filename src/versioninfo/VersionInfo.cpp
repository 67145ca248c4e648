#include "versioninfo/VersionInfo.h"

#include "versioninfo/VersionInfoError.h"
#include "versioninfo/VersionResource.h"

#include <QFileInfo>

#include <array>

namespace bw {

namespace {

constexpr std::array<const char*, 10> keys = {
    "CompanyName", "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "Trademarks",  "OriginalFileName", "ProductName", "ProductVersion", "Comments",
};

} // namespace

VersionInfo::VersionInfo(QObject* parent)
    : QObject(parent)
{
}

void VersionInfo::setFileName(const QString& path)
{
    m_fileName = path;
    m_prefix.clear();
    m_block = VersionBlock();
    if (path.isEmpty())
        return;
    // Only a regular file is read: a FIFO would wait for a writer forever and
    // a device need never end.
    if (const QFileInfo file(path); file.exists() && !file.isFile())
        raise(VersionInfoError::NoVersionInformation);
    if (VersionResource::size(path) == 0) {
        // A file that is there but cannot be read is as good as missing.
        const QFileInfo file(path);
        raise(file.exists() && file.isReadable() ? VersionInfoError::NoVersionInformation : VersionInfoError::FileNotFound);
    }
    std::optional<QByteArray> block = VersionResource::read(path);
    if (!block)
        raise(VersionInfoError::CannotRead);
    m_block = VersionBlock(std::move(*block));
}

void VersionInfo::setIncludeTitles(bool include)
{
    m_includeTitles = include;
    m_titles.clear();
    m_values.clear();
}

QString VersionInfo::value(int number)
{
    if (m_fileName.isEmpty())
        raise(VersionInfoError::NoFileSpecified);
    if (m_prefix.isEmpty()) {
        const std::optional<QByteArrayView> table = m_block.query(u"\\VarFileInfo\\Translation");
        if (!table || table->size() < 4)
            raise(VersionInfoError::NoTranslationTable);
        const auto language = static_cast<quint8>(table->at(0)) | static_cast<quint8>(table->at(1)) << 8;
        const auto codePage = static_cast<quint8>(table->at(2)) | static_cast<quint8>(table->at(3)) << 8;
        m_prefix = QStringLiteral("\\StringFileInfo\\%1%2\\")
                       .arg(language, 4, 16, QLatin1Char('0'))
                       .arg(codePage, 4, 16, QLatin1Char('0'));
    }
    const QString key = keyName(number);
    if (key.isEmpty())
        return {};
    const std::optional<QByteArrayView> value = m_block.query(QString(m_prefix + key));
    return value ? VersionBlock::text(*value) : QString();
}

QString VersionInfo::keyName(int number)
{
    if (number < 1 || number > static_cast<int>(keys.size()))
        return {};
    return QString::fromLatin1(keys[static_cast<std::size_t>(number - 1)]);
}

void VersionInfo::raise(int number) const
{
    const QString name = QFileInfo(m_fileName).fileName();
    switch (number) {
    case VersionInfoError::NoFileSpecified:
        throw VersionInfoError(VersionInfoError::NoFileSpecified, QStringLiteral("No file specified"));
    case VersionInfoError::FileNotFound:
        throw VersionInfoError(VersionInfoError::FileNotFound,
                             QStringLiteral("File %1 not found or not accessible").arg(name));
    case VersionInfoError::NoVersionInformation:
        throw VersionInfoError(VersionInfoError::NoVersionInformation,
                             QStringLiteral("File %1 has no version information").arg(name));
    case VersionInfoError::CannotRead:
        throw VersionInfoError(VersionInfoError::CannotRead,
                             QStringLiteral("Cannot read version information for file %1").arg(name));
    default:
        throw VersionInfoError(VersionInfoError::NoTranslationTable,
                             QStringLiteral("Cannot read translation table for file %1").arg(name));
    }
}

} // namespace bw
