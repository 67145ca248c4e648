#include "actions/DocumentTarget.h"

#include "lists/DocumentTargetPath.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

#include <QFile>

namespace bw {

namespace {

bool holdsSeparator(std::string_view value)
{
    return value.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos;
}

bool unsafeDirectoryName(std::string_view value)
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
    // The same path the Document report prints under the row.
    DocumentTargetPath target = documentTargetPath(outputDirectory, row);
    m_library = decoded(target.libraryDirectory);
    m_author = decoded(target.authorDirectory);
    m_path = decoded(target.path);
    m_pathBytes = std::move(target.path);

    const std::string_view library = row.column(1 + DocumentRow::Library);
    const std::string_view author = row.column(1 + DocumentRow::Author);
    std::string name = row.caption;
    name += '_';
    name += row.column(1 + DocumentRow::Version);
    name += '.';
    name += row.column(1 + DocumentRow::Extension);
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
