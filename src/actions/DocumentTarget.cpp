#include "actions/DocumentTarget.h"

#include "base/DisplayText.h"
#include "lists/DocumentTargetPath.h"
#include "lists/Row.h"
#include "lists/RowLayout.h"

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

} // namespace

DocumentTarget::DocumentTarget(const QString& outputDirectory, const Row& row)
{
    // The same path the Document report prints under the row.
    DocumentTargetPath target = documentTargetPath(outputDirectory, row);
    m_libraryDirectory = std::move(target.libraryDirectory);
    m_authorDirectory = std::move(target.authorDirectory);
    m_pathBytes = std::move(target.path);

    m_library = row.column(1 + DocumentRow::Library);
    m_author = row.column(1 + DocumentRow::Author);
    m_fileName = row.caption;
    m_fileName += '_';
    m_fileName += row.column(1 + DocumentRow::Version);
    m_fileName += '.';
    m_fileName += row.column(1 + DocumentRow::Extension);
    m_libraryUnsafe = unsafeDirectoryName(m_library);
    m_authorUnsafe = unsafeDirectoryName(m_author) || holdsSeparator(m_fileName);
}

QString DocumentTarget::libraryDirectory() const
{
    return displayText(m_libraryDirectory);
}

QString DocumentTarget::authorDirectory() const
{
    return displayText(m_authorDirectory);
}

QString DocumentTarget::path() const
{
    return displayText(m_pathBytes);
}

std::optional<QString> DocumentTarget::unsafeDirectory() const
{
    if (m_libraryUnsafe)
        return libraryDirectory();
    if (m_authorUnsafe)
        return authorDirectory();
    return std::nullopt;
}

} // namespace bw
