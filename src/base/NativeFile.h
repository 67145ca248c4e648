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
