#include "base/NativeFile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

namespace bw {

namespace {

QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

bool NativeOutputFile::open(const QString& path, QString& error)
{
    discard();
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty()) {
        error = reason(ENOENT);
        return false;
    }
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = reason(EISDIR);
            return false;
        }
        if (S_ISSOCK(st.st_mode)) {
            error = QStringLiteral("Is a socket, not a file");
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            int fd;
            do
                fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            while (fd < 0 && errno == EINTR);
            if (fd < 0) {
                error = reason(errno);
                return false;
            }
            m_fd = fd;
            m_target = native;
            return true;
        }
        // A read-only file stays, as QSaveFile keeps it.
        if (::access(native.constData(), W_OK) != 0) {
            error = reason(errno);
            return false;
        }
        // Through a link the file it names is replaced, and the link stays.
        char* real = ::realpath(native.constData(), nullptr);
        m_target = real ? QByteArray(real) : native;
        std::free(real);
    } else if (errno == ENOENT) {
        m_target = native;
    } else {
        error = reason(errno);
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = m_target + '.' + QByteArray::number(QRandomGenerator::global()->generate() % 0x1000000, 36) + ".new";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = std::move(name);
            // The new file keeps the earlier one's permissions.
            struct stat earlier {};
            if (::stat(m_target.constData(), &earlier) == 0)
                ::fchmod(fd, earlier.st_mode & 07777);
            return true;
        }
        if (errno != EEXIST && errno != EINTR) {
            error = reason(errno);
            return false;
        }
    }
    error = reason(EEXIST);
    return false;
}

bool NativeOutputFile::write(const char* data, qint64 size, QString& error)
{
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<std::size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A full disk may first take part of the bytes without an error.
            error = reason(n < 0 ? errno : ENOSPC);
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool NativeOutputFile::commit(QString& error)
{
    if (m_fd < 0) {
        error = reason(EBADF);
        return false;
    }
    if (isDirect()) {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0 && errno != EINTR) {
            error = reason(errno);
            return false;
        }
        return true;
    }
    // fsync reports what a delayed write could not store.
    if (::fsync(m_fd) != 0 || ::close(std::exchange(m_fd, -1)) != 0
        || ::rename(m_temporary.constData(), m_target.constData()) != 0) {
        error = reason(errno);
        discard();
        return false;
    }
    m_temporary.clear();
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_target)).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void NativeOutputFile::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

} // namespace bw
