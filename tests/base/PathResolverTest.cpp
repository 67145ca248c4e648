#include "base/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace bw;

namespace {

class PathResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        root = m_dir.path().toStdString();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Po/offiles/fd3/sub7")));
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Po/offiles/.hidden")));
        write("Po/offiles/fd3/sub7/abc.000");
        write("Po/offiles/fd3/sub7/.dot.000");
        write("Po/offiles/fd3/sub7/\xc3\xa9t\xc3\xa9.000");
    }

    void write(const char* relative)
    {
        QFile f(m_dir.filePath(QString::fromUtf8(relative)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("12345");
    }

    QString local(const char* relative) const { return m_dir.filePath(QString::fromUtf8(relative)); }

    QTemporaryDir m_dir;
    std::string root;
    PathResolver resolver;
};

} // namespace

TEST_F(PathResolverTest, ExactPathsAndBackslashes)
{
    EXPECT_EQ(resolver.resolve(root + "/Po/offiles/fd3/sub7/abc.000"), local("Po/offiles/fd3/sub7/abc.000"));
    const QFileInfo entry = resolver.lookup(root + "\\Po\\offiles\\fd3\\sub7\\abc.000");
    ASSERT_TRUE(entry.exists());
    EXPECT_EQ(entry.size(), 5);
    // Separators of both kinds, repeated ones and a trailing one.
    EXPECT_TRUE(resolver.lookup(root + "/Po\\offiles//fd3\\\\sub7/abc.000").exists());
    EXPECT_TRUE(resolver.lookup(root + "\\Po\\offiles\\").isDir());
}

TEST_F(PathResolverTest, LetterCaseOfATooZIsIgnoredOnlyWhereTheExactPathIsMissing)
{
    EXPECT_EQ(resolver.resolve(root + "\\PO\\OFFILES\\FD3\\SUB7\\ABC.000"), local("Po/offiles/fd3/sub7/abc.000"));
    // Hidden entries and directories match too.
    EXPECT_EQ(resolver.resolve(root + "\\PO\\OFFILES\\FD3\\SUB7\\.DOT.000"), local("Po/offiles/fd3/sub7/.dot.000"));
    EXPECT_EQ(resolver.resolve(root + "\\PO\\OFFILES\\.HIDDEN"), local("Po/offiles/.hidden"));
    // Only a to z fold: an accented capital is another name.
    EXPECT_EQ(resolver.resolve(root + "/PO/OFFILES/FD3/SUB7/\xc3\xa9T\xc3\xa9.000"),
              local("Po/offiles/fd3/sub7/\xc3\xa9t\xc3\xa9.000"));
    EXPECT_EQ(resolver.resolve(root + "/PO/OFFILES/FD3/SUB7/\xc3\x89T\xc3\x89.000"), QString());

    // With two entries that differ in case only, the exact one wins, and a
    // folded match takes the first in byte order.
    write("Po/offiles/fd3/sub7/ABC.000");
    EXPECT_EQ(resolver.resolve(root + "/po/offiles/fd3/sub7/abc.000"), local("Po/offiles/fd3/sub7/abc.000"));
    EXPECT_EQ(resolver.resolve(root + "/po/offiles/fd3/sub7/ABC.000"), local("Po/offiles/fd3/sub7/ABC.000"));
    EXPECT_EQ(resolver.resolve(root + "/po/offiles/fd3/sub7/Abc.000"), local("Po/offiles/fd3/sub7/ABC.000"));
}

TEST_F(PathResolverTest, MissingEntriesAndForeignPrefixes)
{
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\SUB7\\GONE.000").exists());
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD9\\SUB7\\ABC.000").exists());
    // A file is no directory to descend into.
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\SUB7\\ABC.000\\X").exists());
    EXPECT_FALSE(resolver.lookup("").exists());
    EXPECT_EQ(resolver.resolve("\\\\NOSERVER-BW\\VOL\\PO\\OFFILES\\FD3"), QString());
}

TEST_F(PathResolverTest, RelativePathsAndDriveLettersStartAtTheCurrentDirectory)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    EXPECT_EQ(QFileInfo(resolver.resolve("PO\\OFFILES\\FD3\\SUB7\\ABC.000")).canonicalFilePath(),
              QFileInfo(local("Po/offiles/fd3/sub7/abc.000")).canonicalFilePath());
    EXPECT_TRUE(resolver.lookup(".\\po\\OFFILES\\fd3\\sub7\\abc.000").exists());
    // A parent part, even one that leads back inside, names nothing.
    EXPECT_FALSE(resolver.lookup(".\\po\\OFFILES\\fd3\\..\\FD3\\sub7\\abc.000").exists());
    // "C:" is a name like any other here: it matches a directory so named.
    EXPECT_FALSE(resolver.lookup("C:\\PO\\OFFILES\\FD3\\SUB7\\ABC.000").exists());
    ASSERT_TRUE(QDir().mkpath(local("c:/po")));
    write("c:/po/x.db");
    EXPECT_TRUE(resolver.lookup("C:\\PO\\X.DB").exists());
    ASSERT_TRUE(QDir::setCurrent(before));
}

TEST_F(PathResolverTest, FollowsTheDiskAsItChanges)
{
    // Directories last changed an hour ago: their listings are kept.
    for (const char* d : {"Po", "Po/offiles", "Po/offiles/fd3", "Po/offiles/fd3/sub7"}) {
        std::filesystem::last_write_time(local(d).toStdString(),
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    const std::string path = root + "\\PO\\OFFILES\\FD3\\SUB7\\NEW.000";
    EXPECT_FALSE(resolver.lookup(path).exists());
    write("Po/offiles/fd3/sub7/new.000");
    EXPECT_TRUE(resolver.lookup(path).exists());
    ASSERT_TRUE(QFile::remove(local("Po/offiles/fd3/sub7/new.000")));
    EXPECT_FALSE(resolver.lookup(path).exists());

    const std::string later = root + "\\PO\\OFFILES\\FD3\\LATER\\X.000";
    EXPECT_FALSE(resolver.lookup(later).exists());
    ASSERT_TRUE(QDir().mkpath(local("Po/offiles/fd3/later")));
    write("Po/offiles/fd3/later/x.000");
    EXPECT_TRUE(resolver.lookup(later).exists());

    ASSERT_TRUE(QFile::rename(local("Po/offiles/fd3/sub7"), local("Po/offiles/fd3/Moved")));
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\SUB7\\ABC.000").exists());
    EXPECT_EQ(resolver.resolve(root + "\\PO\\OFFILES\\FD3\\MOVED\\ABC.000"), local("Po/offiles/fd3/Moved/abc.000"));
}

TEST_F(PathResolverTest, ABaseDirectoryAndMappingsComeBeforeTheCurrentDirectory)
{
    const QString cwd = QDir::currentPath();
    resolver.setBaseDirectory(m_dir.path());
    EXPECT_EQ(resolver.resolve("PO\\OFFILES\\FD3\\SUB7\\ABC.000"), local("Po/offiles/fd3/sub7/abc.000"));
    EXPECT_EQ(resolver.resolve("Po/offiles/fd3/sub7/abc.000"), local("Po/offiles/fd3/sub7/abc.000"));
    resolver.setMappings(PathMappings({{"\\\\GWSRV01\\MAIL", local("Po")}}));
    EXPECT_EQ(resolver.resolve("\\\\gwsrv01\\mail\\OFFILES\\FD3\\SUB7\\ABC.000"), local("Po/offiles/fd3/sub7/abc.000"));
    EXPECT_EQ(resolver.resolve("\\\\GWSRV02\\MAIL\\OFFILES"), QString());
    // Caches go, the mappings and the base stay.
    resolver.clear();
    EXPECT_TRUE(resolver.lookup("\\\\GWSRV01\\MAIL\\OFFILES\\FD3").isDir());
    EXPECT_EQ(resolver.baseDirectory(), m_dir.path());
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(PathResolverTest, AParentPartNamesNothingWhereverItLeads)
{
    ASSERT_TRUE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\SUB7\\ABC.000").exists());
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\..\\FD3\\SUB7\\ABC.000").exists());
    EXPECT_FALSE(resolver.lookup(root + "/PO/OFFILES/FD3/SUB7/../SUB7/ABC.000").exists());
    EXPECT_FALSE(resolver.lookup("..\\..\\..\\..\\..\\..\\etc\\passwd").exists());
    EXPECT_FALSE(resolver.lookup("..").exists());
    // Names that merely hold dots are names.
    EXPECT_FALSE(resolver.lookup(root + "\\PO\\OFFILES\\FD3\\SUB7\\ABC.000..").exists());
}
