#include "base/LogDirectory.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace bw;

TEST(LogDirectory, RelativePathsOfALogStartAtItsFolderMadeAbsolute)
{
    EXPECT_EQ(logFolderForPaths("/var/log/gw/x.log"), "/var/log/gw");
    EXPECT_EQ(logFolderForPaths("/x.log"), "/");
    EXPECT_EQ(logFolderForPaths("x.log"), QDir::currentPath());
    EXPECT_EQ(logFolderForPaths("logs\\x.log"), QDir::current().absoluteFilePath("logs"));
}
