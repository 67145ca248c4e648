#pragma once

#include <QString>

#include <optional>
#include <string>

namespace bw {

struct Row;

// Where the rescue copies a Document Rescue row's file, also what the
// Document report prints: the output directory, then the library, the author
// and "document_version.extension", one separator between each. Values are
// log bytes and stay bytes on their way to the disk and the import file;
// they are decoded only for messages.
class DocumentTarget {
public:
    DocumentTarget(const QString& outputDirectory, const Row& row);

    // The names inside the output directory, as bytes.
    const std::string& library() const { return m_library; }
    const std::string& author() const { return m_author; }
    const std::string& fileName() const { return m_fileName; }

    // For messages: the library directory, the author directory, the path.
    QString libraryDirectory() const;
    QString authorDirectory() const;
    QString path() const;

    // A row whose values would lead out of the output directory (a library
    // or author that is empty, "." or "..", or any value holding "/", "\" or
    // a zero byte): the directory its message names. Nothing for a sound row.
    std::optional<QString> unsafeDirectory() const;

private:
    std::string m_libraryDirectory;
    std::string m_authorDirectory;
    std::string m_pathBytes;
    std::string m_library;
    std::string m_author;
    std::string m_fileName;
    bool m_libraryUnsafe = false;
    bool m_authorUnsafe = false;
};

} // namespace bw
