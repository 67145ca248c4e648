#include "BrindlewickVersion.h"
#include "versioninfo/VersionBlockWriter.h"
#include "versioninfo/VersionInfo.h"
#include "versioninfo/VersionInfoError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace bw;

namespace {

class VersionInfoTest : public ::testing::Test {
protected:
    // A file holding block among other bytes, at an odd offset as in a
    // program file.
    QString fileWith(const QByteArray& block, const QString& name = QStringLiteral("tool.exe"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArrayLiteral("\x7f" "ELF junk"));
        file.write(block);
        file.write(QByteArray(37, '\xcc'));
        return path;
    }

    static VersionBlockWriter usEnglish()
    {
        VersionBlockWriter writer;
        writer.addString(QStringLiteral("040904b0"), QStringLiteral("CompanyName"), QStringLiteral("Acme & Sons"));
        writer.addString(QStringLiteral("040904b0"), QStringLiteral("FileVersion"), QStringLiteral("2.5.1"));
        writer.addString(QStringLiteral("040904b0"), QStringLiteral("LegalCopyright"), QStringLiteral("© Acme"));
        return writer;
    }

    // The error number and message that f raises.
    static std::pair<int, QString> raised(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const VersionInfoError& error) {
            return {error.number(), error.message()};
        }
        return {0, QString()};
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(VersionInfoTest, ReadsTheStringTableOfTheFirstTranslationInLowerCaseHex)
{
    VersionBlockWriter writer = usEnglish();
    // A second table and translation that must not be read.
    writer.addString(QStringLiteral("040704e4"), QStringLiteral("CompanyName"), QStringLiteral("Acme GmbH"));
    writer.addTranslation(0x0409, 0x04b0);
    writer.addTranslation(0x0407, 0x04e4);
    VersionInfo info;
    info.setFileName(fileWith(writer.block()));
    EXPECT_EQ(info.value(1), QStringLiteral("Acme & Sons"));
    EXPECT_EQ(info.value(3), QStringLiteral("2.5.1"));
    EXPECT_EQ(info.value(5), QStringLiteral("© Acme"));

    // An upper-case table name is the same key: the lookup ignores case.
    VersionBlockWriter upper;
    upper.addString(QStringLiteral("040904B0"), QStringLiteral("COMPANYNAME"), QStringLiteral("Shouting"));
    upper.addTranslation(0x0409, 0x04b0);
    info.setFileName(fileWith(upper.block(), QStringLiteral("upper.exe")));
    EXPECT_EQ(info.value(1), QStringLiteral("Shouting"));
}

TEST_F(VersionInfoTest, KeysByNumber)
{
    VersionBlockWriter writer;
    const char* keys[] = {"CompanyName", "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
                          "Trademarks",  "OriginalFileName", "ProductName", "ProductVersion", "Comments"};
    for (const char* key : keys)
        writer.addString(QStringLiteral("041d04b0"), QLatin1String(key), QLatin1String(key) + QStringLiteral(" value"));
    writer.addString(QStringLiteral("041d04b0"), QStringLiteral("LegalTrademarks"), QStringLiteral("not this one"));
    writer.addTranslation(0x041d, 0x04b0);
    VersionInfo info;
    info.setFileName(fileWith(writer.block()));
    for (int number = 1; number <= 10; ++number)
        EXPECT_EQ(info.value(number), QLatin1String(keys[number - 1]) + QStringLiteral(" value")) << number;
    EXPECT_EQ(info.value(0), QString());
    EXPECT_EQ(info.value(11), QString());
}

TEST_F(VersionInfoTest, AMissingKeyGivesEmptyText)
{
    VersionBlockWriter writer = usEnglish();
    writer.addTranslation(0x0409, 0x04b0);
    VersionInfo info;
    info.setFileName(fileWith(writer.block()));
    EXPECT_EQ(info.value(8), QString());
    EXPECT_EQ(info.value(1), QStringLiteral("Acme & Sons"));
}

TEST_F(VersionInfoTest, FilesWithoutABlockOrAFile)
{
    VersionInfo info;
    EXPECT_EQ(raised([&] { info.value(1); }), std::make_pair(1, QStringLiteral("No file specified")));
    EXPECT_EQ(raised([&] { info.setFileName(fileWith("no block here", QStringLiteral("plain.bin"))); }),
              std::make_pair(3, QStringLiteral("File plain.bin has no version information")));
    EXPECT_EQ(raised([&] { info.setFileName(m_dir.filePath(QStringLiteral("gone.exe"))); }),
              std::make_pair(2, QStringLiteral("File gone.exe not found or not accessible")));
    // The root's key with lengths that do not hold is not taken for a block.
    QByteArray stray = usEnglish().block();
    stray[0] = '\xff';
    stray[1] = '\x7f';
    EXPECT_EQ(raised([&] { info.setFileName(fileWith(stray, QStringLiteral("stray.bin"))); }).first, 3);
    stray = usEnglish().block();
    stray[40] = 0; // the fixed information's signature
    EXPECT_EQ(raised([&] { info.setFileName(fileWith(stray, QStringLiteral("stray.bin"))); }).first, 3);
}

TEST_F(VersionInfoTest, OnlyRegularFilesAreRead)
{
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.exe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::atomic<bool> done = false;
    std::pair<int, QString> result;
    std::thread reader([&] {
        VersionInfo info;
        result = raised([&] { info.setFileName(fifo); });
        done = true;
    });
    for (int i = 0; i < 200 && !done; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool waited = !done;
    if (waited) {
        // Let a reader that waits for a writer go.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    reader.join();
    EXPECT_FALSE(waited) << "the reader waited on the FIFO";
    EXPECT_EQ(result, std::make_pair(3, QStringLiteral("File pipe.exe has no version information")));
    VersionInfo info;
    EXPECT_EQ(raised([&] { info.setFileName(QStringLiteral("/dev/zero")); }).first, 3);
    EXPECT_EQ(raised([&] { info.setFileName(m_dir.path()); }).first, 3);
}

TEST_F(VersionInfoTest, AMissingOrShortTranslationTable)
{
    VersionInfo info;
    info.setFileName(fileWith(usEnglish().block(), QStringLiteral("untranslated.exe")));
    EXPECT_EQ(raised([&] { info.value(1); }),
              std::make_pair(5, QStringLiteral("Cannot read translation table for file untranslated.exe")));

    VersionBlockWriter shortTable = usEnglish();
    shortTable.setTranslationBytes(QByteArray("\x09\x04", 2));
    info.setFileName(fileWith(shortTable.block(), QStringLiteral("short.exe")));
    EXPECT_EQ(raised([&] { info.value(3); }).first, 5);
}

TEST_F(VersionInfoTest, TheProgramsOwnExecutable)
{
    VersionInfo info;
    info.setFileName(QStringLiteral(BW_PROGRAM));
    EXPECT_EQ(info.value(1), QString::fromUtf8(build::company));
    EXPECT_EQ(info.value(3), QString::fromUtf8(build::version));
    EXPECT_EQ(info.value(5), QString::fromUtf8(build::copyright));
    EXPECT_EQ(info.value(8), QStringLiteral("Brindlewick"));
    EXPECT_EQ(info.value(7), QFileInfo(QStringLiteral(BW_PROGRAM)).fileName());
}
