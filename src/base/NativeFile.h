#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace bw {

// Opens the file named by these exact bytes for reading, unbuffered. On
// POSIX a file name is bytes, and one that is not valid in the locale's
// encoding cannot pass through a QString unchanged; error gets the
// platform's reason on failure.
bool openNativeForReading(QFile& file, const QByteArray& nativePath, QString& error);

// Reads what the open file has now, up to max bytes: from a pipe, as soon as
// anything is there, where QFile would wait until max bytes have come.
// Returns 0 at the end, -1 with error set on failure.
qint64 readAvailable(QFile& file, char* data, qint64 max, QString& error);

} // namespace bw

namespace bw {

// A file written whole or not at all, by POSIX calls: Qt 6.4's QSaveFile
// reports neither a short write on a full disk nor a failed last flush. The
// bytes go to a new file beside the named one, which replaces it only when
// every byte is on the disk; an existing FIFO, terminal or other device is
// written to directly instead, since replacing it would break it. Every
// error is the system's reason.
class NativeOutputFile {
public:
    NativeOutputFile() = default;
    ~NativeOutputFile() { discard(); }
    NativeOutputFile(const NativeOutputFile&) = delete;
    NativeOutputFile& operator=(const NativeOutputFile&) = delete;

    bool open(const QString& path, QString& error);
    bool write(const char* data, qint64 size, QString& error);
    // Synced, closed and put in place; on failure the earlier file is kept.
    bool commit(QString& error);
    // Closes without replacing anything and removes the new file.
    void discard();
    bool isOpen() const { return m_fd >= 0; }
    // Writing straight into an existing device or FIFO.
    bool isDirect() const { return m_temporary.isEmpty(); }

private:
    int m_fd = -1;
    QByteArray m_target;
    QByteArray m_temporary;
};

} // namespace bw
