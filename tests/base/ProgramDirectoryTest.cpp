#include "base/ProgramDirectory.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(ProgramDirectory, TheFolderWithoutItsSeparatorUnlessARoot)
{
    EXPECT_EQ(directoryOfProgram(QStringLiteral("C:\\Tools\\app.exe")), QStringLiteral("C:\\Tools"));
    EXPECT_EQ(directoryOfProgram(QStringLiteral("C:\\app.exe")), QStringLiteral("C:\\"));
    EXPECT_EQ(directoryOfProgram(QStringLiteral("/usr/bin/brindlewick")), QStringLiteral("/usr/bin"));
    EXPECT_EQ(directoryOfProgram(QStringLiteral("/brindlewick")), QStringLiteral("/"));
}
