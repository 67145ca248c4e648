#include "base/StoreFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bw {

FileHandle::FileHandle(FileHandle&& other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

FileHandle::~FileHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

namespace StoreFiles {

namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr std::size_t block = 65536;

std::vector<std::string_view> parts(std::string_view path)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t end = path.find('/', i);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(i, end - i);
        if (!part.empty() && part != ".")
            out.push_back(part);
        i = end + 1;
    }
    return out;
}

FileState fromStat(const struct stat& st)
{
    FileState s;
    s.regular = S_ISREG(st.st_mode);
    s.size = static_cast<qint64>(st.st_size);
    s.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.accessedNs = static_cast<qint64>(st.st_atim.tv_sec) * 1000000000 + st.st_atim.tv_nsec;
    s.device = static_cast<quint64>(st.st_dev);
    s.inode = static_cast<quint64>(st.st_ino);
    s.mode = static_cast<unsigned>(st.st_mode & 07777);
    return s;
}

timespec toTimespec(qint64 ns)
{
    timespec t{};
    t.tv_sec = static_cast<time_t>(ns / 1000000000);
    t.tv_nsec = static_cast<long>(ns % 1000000000);
    if (t.tv_nsec < 0) {
        t.tv_nsec += 1000000000;
        --t.tv_sec;
    }
    return t;
}

int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Reads up to size bytes at offset; the count, or -1 with errno set.
ssize_t readAt(int fd, char* data, std::size_t size, off_t offset)
{
    for (;;) {
        const ssize_t n = ::pread(fd, data, size, offset);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

FileHandle openFolder(const std::string& path, int& error)
{
    const int fd = ::open(path.c_str(), folderFlags);
    error = fd < 0 ? errno : 0;
    return FileHandle(fd);
}

FileHandle openSubfolder(const FileHandle& dir, const std::string& name, bool create, int& error)
{
    int fd = ::openat(dir.fd(), name.c_str(), folderFlags | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT && create) {
        if (::mkdirat(dir.fd(), name.c_str(), 0777) != 0 && errno != EEXIST) {
            error = errno;
            return FileHandle();
        }
        ::fsync(dir.fd());
        fd = ::openat(dir.fd(), name.c_str(), folderFlags | O_NOFOLLOW);
    }
    error = fd < 0 ? errno : 0;
    return FileHandle(fd);
}

bool liesBelow(const std::string& root, const std::string& path)
{
    const auto r = parts(root);
    const auto p = parts(path);
    if (root.empty() || root.front() != '/' || path.empty() || path.front() != '/' || p.size() <= r.size())
        return false;
    for (std::size_t k = 0; k < r.size(); ++k) {
        if (r[k] != p[k])
            return false;
    }
    return true;
}

FileHandle openParent(const std::string& root, const std::string& path, std::string& name, int& error)
{
    if (!liesBelow(root, path)) {
        error = EXDEV;
        return FileHandle();
    }
    const auto below = parts(path);
    const std::size_t first = parts(root).size();
    FileHandle dir = openFolder(root, error);
    for (std::size_t k = first; dir.isOpen() && k + 1 < below.size(); ++k) {
        if (below[k] == "..") {
            error = EACCES;
            return FileHandle();
        }
        dir = openSubfolder(dir, std::string(below[k]), false, error);
    }
    if (!dir.isOpen())
        return FileHandle();
    name.assign(below.back());
    if (name == "..") {
        error = EACCES;
        return FileHandle();
    }
    return dir;
}

FileHandle openExisting(const FileHandle& dir, const std::string& name, bool forWriting, int& error)
{
    const int fd = ::openat(dir.fd(), name.c_str(),
                            (forWriting ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // A link, or a folder opened for writing: no file of that name.
        error = errno == ELOOP || errno == EISDIR ? ENOENT : errno;
        return FileHandle();
    }
    FileHandle file(fd);
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        error = errno;
        return FileHandle();
    }
    if (!S_ISREG(st.st_mode)) {
        error = ENOENT;
        return FileHandle();
    }
    error = 0;
    return file;
}

int state(const FileHandle& file, FileState& out)
{
    struct stat st{};
    if (::fstat(file.fd(), &st) != 0)
        return errno;
    out = fromStat(st);
    return 0;
}

int entryState(const FileHandle& dir, const std::string& name, FileState& out)
{
    struct stat st{};
    if (::fstatat(dir.fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    out = fromStat(st);
    out.link = S_ISLNK(st.st_mode);
    return 0;
}

int renameNoReplace(const FileHandle& dir, const std::string& from, const std::string& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(dir.fd(), from.c_str(), dir.fd(), to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
#endif
    // A hard link never replaces either; a file system without both fails.
    if (::linkat(dir.fd(), from.c_str(), dir.fd(), to.c_str(), 0) != 0)
        return errno;
    if (::unlinkat(dir.fd(), from.c_str(), 0) != 0) {
        const int code = errno;
        ::unlinkat(dir.fd(), to.c_str(), 0);
        return code;
    }
    return 0;
}

int removeEntry(const FileHandle& dir, const std::string& name)
{
    return ::unlinkat(dir.fd(), name.c_str(), 0) == 0 ? 0 : errno;
}

int sync(const FileHandle& file)
{
    return ::fsync(file.fd()) == 0 ? 0 : errno;
}

int copyInto(const FileHandle& source, const FileState& sourceState, const FileHandle& dir, const std::string& name)
{
    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = ".brindlewick-copy-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        fd = ::openat(dir.fd(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      sourceState.mode & 0777);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    FileHandle copy(fd);
    auto failed = [&](int code) {
        ::unlinkat(dir.fd(), temporary.c_str(), 0);
        return code;
    };
    std::vector<char> buffer(block);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = readAt(source.fd(), buffer.data(), buffer.size(), offset);
        if (n < 0)
            return failed(errno);
        if (n == 0)
            break;
        if (const int code = writeAll(fd, std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            return failed(code);
        offset += n;
    }
    const timespec times[2] = {toTimespec(sourceState.accessedNs), toTimespec(sourceState.modifiedNs)};
    if (::futimens(fd, times) != 0 || ::fsync(fd) != 0)
        return failed(errno);
    if (const int code = renameNoReplace(dir, temporary, name))
        return failed(code);
    // The copy's name is on the disk before anything relies on it.
    return sync(dir);
}

int sameBytes(const FileHandle& a, const FileHandle& b, bool& same)
{
    same = false;
    FileState sa, sb;
    if (const int code = state(a, sa))
        return code;
    if (const int code = state(b, sb))
        return code;
    if (sa.size != sb.size)
        return 0;
    std::vector<char> x(block), y(block);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = readAt(a.fd(), x.data(), x.size(), offset);
        if (n < 0)
            return errno;
        std::size_t got = 0;
        while (got < static_cast<std::size_t>(n)) {
            const ssize_t m = readAt(b.fd(), y.data() + got, static_cast<std::size_t>(n) - got,
                                     offset + static_cast<off_t>(got));
            if (m < 0)
                return errno;
            if (m == 0)
                return 0;
            got += static_cast<std::size_t>(m);
        }
        if (n == 0) {
            char extra;
            same = readAt(b.fd(), &extra, 1, offset) == 0;
            return 0;
        }
        if (std::memcmp(x.data(), y.data(), static_cast<std::size_t>(n)) != 0)
            return 0;
        offset += n;
    }
}

int setModified(const FileHandle& file, qint64 modifiedNs)
{
    timespec times[2] = {{0, UTIME_OMIT}, toTimespec(modifiedNs)};
    return ::futimens(file.fd(), times) == 0 ? 0 : errno;
}

FileHandle openJournal(const std::string& path, int& error)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return FileHandle();
    }
    FileHandle journal(fd);
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        error = errno;
        return FileHandle();
    }
    if (!S_ISREG(st.st_mode)) {
        error = EINVAL;
        return FileHandle();
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        return FileHandle();
    }
    // Its name on the disk, before the first line relies on it.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    FileHandle dir = openFolder(folder, error);
    if (dir.isOpen())
        ::fsync(dir.fd());
    error = 0;
    return journal;
}

int appendSynced(const FileHandle& file, std::string_view bytes)
{
    if (const int code = writeAll(file.fd(), bytes))
        return code;
    return ::fdatasync(file.fd()) == 0 ? 0 : errno;
}

int truncateSynced(const FileHandle& file, qint64 size)
{
    if (::ftruncate(file.fd(), static_cast<off_t>(size)) != 0)
        return errno;
    return ::fdatasync(file.fd()) == 0 ? 0 : errno;
}

int readAll(const FileHandle& file, std::string& out)
{
    out.clear();
    std::vector<char> buffer(block);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = readAt(file.fd(), buffer.data(), buffer.size(), offset);
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        out.append(buffer.data(), static_cast<std::size_t>(n));
        offset += n;
    }
}

int removeFile(const std::string& path)
{
    if (::unlink(path.c_str()) != 0)
        return errno;
    const std::size_t slash = path.rfind('/');
    int error = 0;
    FileHandle dir = openFolder(slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1), error);
    if (dir.isOpen())
        ::fsync(dir.fd());
    return 0;
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace StoreFiles

} // namespace bw
