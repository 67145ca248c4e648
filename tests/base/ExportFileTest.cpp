#include "base/ExportFile.h"
#include "support/ActionFixture.h"
#include "support/SmallFileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace bw;
using namespace bw::test;

namespace {

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

TEST(ExportFile, AFullFileSystemKeepsTheEarlierFileAndReportsTheReason)
{
    SmallFileSystem small(64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << small.reason();
    const QString file = small.path("r.txt");
    writeFile(file, "earlier\n");
    // A page free: the first write goes in part, without an error of its own.
    ASSERT_TRUE(small.fillLeaving(4096));
    const std::string bytes(20000, 'x');
    EXPECT_EQ(ExportFile::save(file, bytes), file + ": No space left on device");
    EXPECT_EQ(readAll(file), QByteArray("earlier\n"));

    // Through the device, written block by block, and a commit refused after it.
    ExportFile out(file);
    ASSERT_TRUE(out.open());
    QIODevice& device = out.device();
    qint64 written = 0;
    while (written < 100000 && device.write(bytes.data(), 1000) == 1000)
        written += 1000;
    EXPECT_LT(written, 100000);
    EXPECT_EQ(device.errorString(), "No space left on device");
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readAll(file), QByteArray("earlier\n"));
    EXPECT_EQ(entries(small.root()), (QStringList{"filler", "r.txt"}));
}

TEST(ExportFile, AReplacedFileKeepsItsLinkAndPermissionsAndLeavesNothingBeside)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("real.txt");
    writeFile(file, "earlier");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(file, dir.filePath("link.txt")));
    EXPECT_EQ(ExportFile::save(dir.filePath("link.txt"), "new"), QString());
    EXPECT_TRUE(QFileInfo(dir.filePath("link.txt")).isSymLink());
    EXPECT_EQ(readAll(file), QByteArray("new"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ExportFile discarded(file);
    ASSERT_TRUE(discarded.open());
    ASSERT_TRUE(discarded.write("never"));
    discarded.discard();
    EXPECT_EQ(readAll(file), QByteArray("new"));
    EXPECT_EQ(entries(dir.path()), (QStringList{"link.txt", "real.txt"}));
}

TEST(ExportFile, AFifoOrADeviceIsWrittenToNotReplacedAndAFolderOrSocketIsRefused)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Open for reading first, so that the writer never waits, and a FIFO
    // replaced by a file shows as nothing read.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(ExportFile::save(fifo, "through the pipe"), QString());
    char buffer[64] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "through the pipe");
    ::close(reader);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // A node of the null device, and a link to it.
    const QString null = dir.filePath("null");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        ASSERT_TRUE(QFile::link(null, dir.filePath("to-null")));
        EXPECT_EQ(ExportFile::save(dir.filePath("to-null"), "gone"), QString());
        ASSERT_EQ(::lstat(QFile::encodeName(null).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }

    QDir(dir.path()).mkdir("folder");
    EXPECT_EQ(ExportFile::save(dir.filePath("folder"), "x"), dir.filePath("folder") + ": Is a directory");
    const QString socketPath = dir.filePath("socket");
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(ExportFile::save(socketPath, "x"), socketPath + ": Is a socket, not a file");
    ::close(s);
    EXPECT_EQ(ExportFile::save(dir.filePath("missing/x.txt"), "x"), dir.filePath("missing/x.txt") + ": No such file or directory");
    EXPECT_EQ(ExportFile::save(QString(), "x"), ": No such file or directory");
    QStringList left{"fifo", "folder", "socket"};
    if (QFileInfo::exists(null))
        left << "null" << "to-null";
    left.sort();
    EXPECT_EQ(entries(dir.path()), left);
}
