#pragma once

#include <QString>

#include <optional>
#include <string>

namespace bw {

struct Row;

// Where the rescue copies a Document Rescue row's file, and what the
// Document report prints under the row: the output directory and a separator
// unless it ends in one, the library, the author, then
// "document_version.extension", one separator between each. Values are log
// bytes and stay as they are; the output directory is a file name of the
// system's.
struct DocumentTargetPath {
    std::string libraryDirectory;
    std::string authorDirectory;
    std::string path;
};

DocumentTargetPath documentTargetPath(const QString& outputDirectory, const Row& row);

// The target as the import file names it, for the mail server to read: below
// serverFolder (the output directory's server form, "\" separators) when there
// is one, otherwise the local target path.
std::string documentImportPath(const std::optional<std::string>& serverFolder, const QString& outputDirectory,
                               const Row& row);

} // namespace bw
