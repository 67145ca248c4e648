#include "lists/DocumentTargetPath.h"

#include "lists/Row.h"
#include "lists/RowLayout.h"

#include <QDir>
#include <QFile>

namespace bw {

DocumentTargetPath documentTargetPath(const QString& outputDirectory, const Row& row)
{
    // The system's separator, so that the copy makes real directories; a
    // directory that ends in either separator gets no second one.
    const char separator = static_cast<char>(QDir::separator().unicode());
    DocumentTargetPath out;
    std::string bytes = QFile::encodeName(outputDirectory).toStdString();
    if (!bytes.empty() && bytes.back() != '/' && bytes.back() != '\\')
        bytes += separator;
    bytes += row.column(1 + DocumentRow::Library);
    out.libraryDirectory = bytes;
    bytes += separator;
    bytes += row.column(1 + DocumentRow::Author);
    out.authorDirectory = bytes;
    bytes += separator;
    bytes += row.caption;
    bytes += '_';
    bytes += row.column(1 + DocumentRow::Version);
    bytes += '.';
    bytes += row.column(1 + DocumentRow::Extension);
    out.path = std::move(bytes);
    return out;
}

std::string documentImportPath(const std::optional<std::string>& serverFolder, const QString& outputDirectory,
                               const Row& row)
{
    if (!serverFolder)
        return documentTargetPath(outputDirectory, row).path;
    std::string path = *serverFolder;
    for (const std::string_view part : {row.column(1 + DocumentRow::Library), row.column(1 + DocumentRow::Author)}) {
        if (path.empty() || path.back() != '\\')
            path += '\\';
        path += part;
    }
    path += '\\';
    path += row.caption;
    path += '_';
    path += row.column(1 + DocumentRow::Version);
    path += '.';
    path += row.column(1 + DocumentRow::Extension);
    return path;
}

} // namespace bw
