#pragma once

#include <QString>
#include <QtGlobal>

#include <string>
#include <string_view>

namespace bw {

// An open file or folder of the system's, closed with the object.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd)
        : m_fd(fd)
    {
    }
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

// What the rescue compares of a file before and after it acts.
struct FileState {
    bool regular = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // last write, nanoseconds since 1970 UTC
    qint64 accessedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    unsigned mode = 0; // permission bits
    bool link = false; // only from entryState

    bool sameContentsTime(const FileState& other) const
    {
        return size == other.size && modifiedNs == other.modifiedNs;
    }
};

// The file operations of the rescue, the backdating and the import journal.
// They act on a live mail store whose folders other people and programs
// share, so names are bytes, no symbolic link below a folder the user chose
// is ever followed, and nothing is ever replaced. Qt has none of these: each
// is a thin layer over the POSIX call it names. Failures return errno's code.
namespace StoreFiles {

// The folder at path; links are followed, since the user chose it.
FileHandle openFolder(const std::string& path, int& error);

// The folder name inside dir, never through a link. When create is set and
// there is none, it is made (one level) and its parent synced.
FileHandle openSubfolder(const FileHandle& dir, const std::string& name, bool create, int& error);

// The folder that holds path, walked down from root without following a
// link below it; name gets path's last part. path must lie below root
// (EXDEV otherwise); "." parts are passed over, ".." is refused (EACCES).
FileHandle openParent(const std::string& root, const std::string& path, std::string& name, int& error);

// Whether path lies below root, comparing whole parts.
bool liesBelow(const std::string& root, const std::string& path);

// The existing regular file name in dir, never through a link and never
// created (open); ENOENT for a link or anything but a regular file.
FileHandle openExisting(const FileHandle& dir, const std::string& name, bool forWriting, int& error);

// fstat / fstatat without following a link (ENOENT when there is no entry).
int state(const FileHandle& file, FileState& out);
int entryState(const FileHandle& dir, const std::string& name, FileState& out);

// renameat2 with RENAME_NOREPLACE, or link and unlink where the file system
// has no such rename: never over an existing entry (EEXIST).
int renameNoReplace(const FileHandle& dir, const std::string& from, const std::string& to);

// unlinkat of a file.
int removeEntry(const FileHandle& dir, const std::string& name);

// fsync, for a folder after an entry in it changed.
int sync(const FileHandle& file);

// A new file name in dir holding the whole of source (read from its start),
// with source's last-write time: written to a hidden temporary name first,
// synced, then put in place without replacing anything. No partial copy is
// left on a failure.
int copyInto(const FileHandle& source, const FileState& sourceState, const FileHandle& dir, const std::string& name);

// Whether the two open files hold the same bytes (compared from their start).
int sameBytes(const FileHandle& a, const FileHandle& b, bool& same);

// futimens: the last-write time, the last-access time left as it is.
int setModified(const FileHandle& file, qint64 modifiedNs);

// The import journal: opened (created 0666 less the umask when missing, never
// through a link) for reading and appending, and locked against a second
// writer (EWOULDBLOCK when another holds it).
FileHandle openJournal(const std::string& path, int& error);
// write until every byte is out, then fdatasync.
int appendSynced(const FileHandle& file, std::string_view bytes);
// ftruncate to size, then fdatasync.
int truncateSynced(const FileHandle& file, qint64 size);
// The whole file from its start.
int readAll(const FileHandle& file, std::string& out);
// unlink of a path, and fsync of its folder.
int removeFile(const std::string& path);

// strerror's text for the code.
QString reason(int error);

} // namespace StoreFiles

} // namespace bw
