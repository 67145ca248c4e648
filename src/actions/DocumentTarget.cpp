#include "actions/DocumentTarget.h"

#include "lists/Row.h"
#include "lists/RowLayout.h"

#include <QDir>
#include <QFile>

namespace bw {

namespace {

bool holdsSeparator(const std::string& value)
{
    return value.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos;
}

bool unsafeDirectoryName(const std::string& value)
{
    return value.empty() || value == "." || value == ".." || holdsSeparator(value);
}

QString decoded(const std::string& bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

DocumentTarget::DocumentTarget(const QString& outputDirectory, const Row& row)
{
    const std::string& library = row.column(1 + DocumentRow::Library);
    const std::string& author = row.column(1 + DocumentRow::Author);
    std::string name = row.caption;
    name += '_';
    name += row.column(1 + DocumentRow::Version);
    name += '.';
    name += row.column(1 + DocumentRow::Extension);

    const QChar separator = QDir::separator();
    std::string bytes = QFile::encodeName(outputDirectory).toStdString();
    if (!bytes.empty() && bytes.back() != '/' && bytes.back() != '\\')
        bytes += static_cast<char>(separator.unicode());
    bytes += library;
    m_library = decoded(bytes);
    bytes += static_cast<char>(separator.unicode());
    bytes += author;
    m_author = decoded(bytes);
    bytes += static_cast<char>(separator.unicode());
    bytes += name;
    m_path = decoded(bytes);
    m_pathBytes = std::move(bytes);

    m_libraryUnsafe = unsafeDirectoryName(library);
    m_authorUnsafe = unsafeDirectoryName(author) || holdsSeparator(name);
}

std::optional<QString> DocumentTarget::unsafeDirectory() const
{
    if (m_libraryUnsafe)
        return m_library;
    if (m_authorUnsafe)
        return m_author;
    return std::nullopt;
}

} // namespace bw
