#pragma once

#include <QString>

#include <optional>
#include <string>

namespace bw {

struct Row;

// Where the rescue copies a Document Rescue row's file, also what the
// Document report prints: the output directory, then the library, the author
// and "document_version.extension", one separator between each. Values are
// log bytes; the paths keep them as they are.
class DocumentTarget {
public:
    DocumentTarget(const QString& outputDirectory, const Row& row);

    // The output directory and the library: the library directory.
    const QString& libraryDirectory() const { return m_library; }
    const QString& authorDirectory() const { return m_author; }
    const QString& path() const { return m_path; }
    // The target path as bytes, as the import file carries it.
    const std::string& pathBytes() const { return m_pathBytes; }

    // A row whose values would lead out of the output directory (a library
    // or author that is empty, "." or "..", or any value holding "/", "\" or
    // a zero byte): the directory its message names. Nothing for a sound row.
    std::optional<QString> unsafeDirectory() const;

private:
    QString m_library;
    QString m_author;
    QString m_path;
    std::string m_pathBytes;
    bool m_libraryUnsafe = false;
    bool m_authorUnsafe = false;
};

} // namespace bw
