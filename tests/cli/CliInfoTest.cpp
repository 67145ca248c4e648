#include "BrindlewickVersion.h"
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace bw;

TEST(CliInfo, HelpAndVersionPrintToStandardOutput)
{
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), std::string("brindlewick-cli ") + build::version + "\n");

    out.str("");
    EXPECT_EQ(runCli({"scan", "--help"}, out, err), 0);
    EXPECT_NE(out.str().find("usage: "), std::string::npos);
    EXPECT_NE(out.str().find("--version"), std::string::npos);
    EXPECT_EQ(err.str(), "");
}
