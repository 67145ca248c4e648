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

} // namespace bw
