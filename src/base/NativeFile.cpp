#include "base/NativeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace bw {

bool openNativeForReading(QFile& file, const QByteArray& nativePath, QString& error)
{
    // QFile takes names as QString only; open(2) takes the bytes as given.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        error = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

qint64 readAvailable(QFile& file, char* data, qint64 max, QString& error)
{
    for (;;) {
        const ssize_t n = ::read(file.handle(), data, static_cast<std::size_t>(max));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            return -1;
        }
    }
}

} // namespace bw
