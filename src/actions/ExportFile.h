#pragma once

#include <QSaveFile>
#include <QString>

#include <string_view>

namespace bw {

// A file written whole or not at all: the bytes go to a temporary file
// beside it, which replaces the named file only when everything is written.
// On a failure the earlier file stays as it was and nothing partial is left.
class ExportFile {
public:
    explicit ExportFile(const QString& path);

    bool open();
    // Written through to the disk, so that a full disk shows at once.
    bool write(std::string_view bytes);
    bool commit();
    // Leaves the named file as it was.
    void discard();
    bool isOpen() const { return m_file.isOpen(); }

    // The file's name and the platform's reason, for the error box.
    QString errorText() const;
    QIODevice& device() { return m_file; }

    // The whole of bytes into path; the error text on failure, else empty.
    static QString save(const QString& path, std::string_view bytes);

private:
    QSaveFile m_file;
    QString m_error;
};

} // namespace bw
