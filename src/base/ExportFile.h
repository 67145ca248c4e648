#pragma once

#include "base/NativeFile.h"

#include <QString>

#include <memory>
#include <string_view>

class QIODevice;

namespace bw {

// The one writer of every file the program makes: written whole or not at
// all. The bytes go to a new file beside the named one, which replaces it
// only when every byte is written and on the disk; on any failure the
// earlier file stays as it was and nothing partial is left. An existing
// FIFO, terminal or other device is written to directly, never replaced; a
// folder or a socket is refused.
class ExportFile {
public:
    explicit ExportFile(const QString& path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool open();
    // Every byte or a failure; after a failure nothing more is written.
    bool write(std::string_view bytes);
    bool commit();
    // Leaves the named file as it was.
    void discard();
    bool isOpen() const { return m_out.isOpen(); }

    // The file's name and the system's reason, for the error box.
    QString errorText() const;
    // The same file as a device, for writers that want one; its writes are
    // checked as write()'s are.
    QIODevice& device();

    // The whole of bytes into path; the error text on failure, else empty.
    static QString save(const QString& path, std::string_view bytes);

private:
    class Device;

    bool fail(const QString& reason);

    QString m_path;
    NativeOutputFile m_out;
    QString m_error;
    std::unique_ptr<Device> m_device;
};

} // namespace bw
