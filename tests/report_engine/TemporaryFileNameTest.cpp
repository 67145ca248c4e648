#include "report_engine/TemporaryFileName.h"
#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(TemporaryFileNameTest, FreshNamesInTheTemporaryFolderWithThePrefix)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    const QString first = TemporaryFileName::create(QStringLiteral("QRP"));
    const QString second = TemporaryFileName::create(QStringLiteral("QRP"));
    qunsetenv("TMPDIR");
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        const QFileInfo info(name);
        EXPECT_EQ(info.absolutePath(), QDir(dir.path()).absolutePath());
        EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("QRP"))) << name.toStdString();
        // Taken, so that nobody else is given it, and empty.
        EXPECT_TRUE(info.exists());
        EXPECT_EQ(info.size(), 0);
    }
}

} // namespace
} // namespace bw::test
