#include "base/PathMappings.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(PathMappings, PrefixesMatchWholeComponentsWithoutRegardToCaseOrSeparator)
{
    const PathMappings m({{"\\\\GWSRV01\\MAIL", "/mnt/mail"}, {"G:\\MAIL\\", "/mnt/g"}});
    EXPECT_EQ(m.apply("\\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD3\\X.000"), "/mnt/mail/PO1/OFFILES/FD3/X.000");
    EXPECT_EQ(m.apply("//gwsrv01/mail/PO1"), "/mnt/mail/PO1");
    EXPECT_EQ(m.apply("\\\\GwSrv01\\Mail"), "/mnt/mail");
    EXPECT_EQ(m.apply("g:/mail\\\\po1\\x.db"), "/mnt/g/po1/x.db");
    EXPECT_EQ(m.apply("\\\\GWSRV01\\MAILX\\PO1"), std::nullopt) << "not a whole component";
    EXPECT_EQ(m.apply("\\GWSRV01\\MAIL\\PO1"), std::nullopt) << "one leading separator is another path";
    EXPECT_EQ(m.apply("H:\\MAIL\\PO1"), std::nullopt);
    EXPECT_EQ(m.apply("MAIL\\PO1"), std::nullopt);
}

TEST(PathMappings, TheLongestPrefixWinsAndBadEntriesAreDropped)
{
    const PathMappings m({{"\\\\SRV\\VOL", "/a"}, {"\\\\SRV\\VOL\\PO2", "/b"}, {"\\\\", "/c"}, {"X:", ""}});
    EXPECT_EQ(m.entries().size(), 2u);
    EXPECT_EQ(m.apply("\\\\srv\\vol\\po2\\f"), "/b/f");
    EXPECT_EQ(m.apply("\\\\srv\\vol\\po1\\f"), "/a/po1/f");
    EXPECT_TRUE(PathMappings().empty());
    EXPECT_EQ(PathMappings().apply("\\\\srv\\vol"), std::nullopt);
}

TEST(PathMappings, ParsesPrefixEqualsFolder)
{
    const auto m = PathMappings::parse("\\\\GWSRV01\\MAIL=/mnt/a=b");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->prefix, "\\\\GWSRV01\\MAIL");
    EXPECT_EQ(m->folder, "/mnt/a=b");
    EXPECT_FALSE(PathMappings::parse("=/mnt"));
    EXPECT_FALSE(PathMappings::parse("G:"));
    EXPECT_FALSE(PathMappings::parse("G:="));
    EXPECT_FALSE(PathMappings::parse("\\\\=/mnt"));
}
