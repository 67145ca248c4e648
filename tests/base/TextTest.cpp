#include "base/Text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace bw;

TEST(Text, TrimRemovesControlCodesAndBlanksOnly)
{
    EXPECT_EQ(trim("\t  abc \r\n"), "abc");
    EXPECT_EQ(trim(std::string_view("\x01\x20x\x1f", 4)), "x");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim(""), "");
    // Code 33 and high bytes are kept.
    EXPECT_EQ(trim("!a\xA0"), "!a\xA0");
}

TEST(Text, PositionsCountFromOne)
{
    EXPECT_EQ(pos("abc=de", "="), 4u);
    EXPECT_EQ(pos("abc", "x"), 0u);
    EXPECT_EQ(fromPos("abcdef", 3), "cdef");
    EXPECT_EQ(fromPos("abcdef", 0), "abcdef");
    EXPECT_EQ(fromPos("abcdef", -5), "abcdef");
    EXPECT_EQ(fromPos("abcdef", 7), "");
    EXPECT_EQ(fromPos("abcdef", 100), "");
    EXPECT_EQ(copyAt("abcdef", 2, 3), "bcd");
    EXPECT_EQ(copyAt("abcdef", 5, 14), "ef");
    EXPECT_EQ(copyAt("ab", 9, 14), "");
}

TEST(Text, AOneByteNeedleIsFoundFirstAtAnyPlaceOfAnyLength)
{
    // Lengths about the sixteen bytes searched at a step, the needle at every
    // place, twice, and missing; a view cut from a longer text must not see
    // a needle just past its end.
    const std::string text(80, 'a');
    for (std::size_t n = 0; n <= 50; ++n) {
        std::string s = text.substr(0, n) + "=";
        EXPECT_EQ(pos(std::string_view(s).substr(0, n), "="), 0u) << n;
        for (std::size_t at = 0; at < n; ++at) {
            s = text.substr(0, n);
            s[at] = '=';
            if (at + 7 < n)
                s[at + 7] = '=';
            EXPECT_EQ(pos(s, "="), at + 1) << n << " " << at;
            EXPECT_EQ(pos(std::string_view(s).substr(at), "="), 1u) << n << " " << at;
        }
    }
}

TEST(Text, ALongerNeedleIsFoundWhereAPlainSearchFindsIt)
{
    // Texts of few letters, so that needles start and end alike often but
    // differ within; lengths about the sixteen places tried at a step.
    std::mt19937 random(7);
    const auto text = [&](std::size_t n) {
        std::string t(n, 'a');
        for (char& c : t)
            c = "abx"[random() % 3];
        return t;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string s = text(random() % 60);
        const std::string what = text(2 + random() % 6);
        const std::size_t expected = s.find(what);
        EXPECT_EQ(pos(s, what), expected == std::string::npos ? 0 : expected + 1) << s << " " << what;
    }
    EXPECT_EQ(pos("InBox, 3 OutBox,", "OutBox,"), 10u);
    EXPECT_EQ(pos(std::string_view("ab OutBox,").substr(0, 9), "OutBox,"), 0u);
}

TEST(Text, UpToAndAfterFirst)
{
    EXPECT_EQ(upTo("12 KB", " "), "12");
    EXPECT_EQ(upTo("12KB", " "), "");
    EXPECT_EQ(upTo(" x", " "), "");
    EXPECT_EQ(afterFirst("a:b:c", ":"), "b:c");
    EXPECT_EQ(afterFirst("abc", ":"), "abc");
    EXPECT_EQ(afterFirst("abc:", ":"), "");
}

TEST(Text, FoldCompareFoldsOnlyAsciiLetters)
{
    EXPECT_LT(foldCompare("abc", "ABD"), 0);
    EXPECT_EQ(foldCompare("Abc", "abc"), 0);
    EXPECT_LT(foldCompare("ab", "abc"), 0);
    EXPECT_GT(foldCompare("abc", "ab"), 0);
    EXPECT_EQ(foldCompare("", ""), 0);
    // '_' (95) lies between 'Z' (90) and 'a' (97): folded, a goes before it.
    EXPECT_LT(foldCompare("a", "_"), 0);
    // Bytes above 127 compare unsigned and are not folded.
    EXPECT_GT(foldCompare("\xE9", "z"), 0);
    EXPECT_NE(foldCompare("\xE9", "\xC9"), 0);
    EXPECT_LT(foldCompare("10A", "9ZZ"), 0);
}

TEST(Text, ContainsFoldedFindsAnyLetterCase)
{
    EXPECT_TRUE(containsFolded("1024 bytes", " BYTE"));
    EXPECT_TRUE(containsFolded("1024 ByTeS", " BYTE"));
    EXPECT_FALSE(containsFolded("1024\tBYTES", " BYTE"));
    EXPECT_FALSE(containsFolded("BYT", " BYTE"));
}

TEST(Text, ReadIntegers)
{
    EXPECT_EQ(readInt32("123"), 123);
    EXPECT_EQ(readInt32("   -45"), -45);
    EXPECT_EQ(readInt32("+7"), 7);
    EXPECT_EQ(readInt32("2147483647"), 2147483647);
    EXPECT_EQ(readInt32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(readInt32("2147483648"));
    EXPECT_FALSE(readInt32("-2147483649"));
    EXPECT_FALSE(readInt32("99999999999999999999"));
    EXPECT_FALSE(readInt32("12 "));
    EXPECT_FALSE(readInt32("12a"));
    EXPECT_FALSE(readInt32(""));
    EXPECT_FALSE(readInt32("   "));
    EXPECT_FALSE(readInt32("-"));
    EXPECT_FALSE(readInt32("N/A"));
    EXPECT_FALSE(readInt32("\t12"));
    EXPECT_EQ(readInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(readInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_FALSE(readInt64("9223372036854775808"));
    EXPECT_EQ(readInt64(" 2048"), 2048);
    EXPECT_FALSE(readInt64("2048 "));
}

TEST(Text, LineEndsFallAfterEachLineFeedAndLeaveTheRest)
{
    std::vector<std::size_t> ends{99};
    lineEnds("ab\n\ncd\nrest", ends);
    EXPECT_EQ(ends, (std::vector<std::size_t>{3, 4, 7}));
    lineEnds(std::string_view("\0\n", 2), ends);
    EXPECT_EQ(ends, (std::vector<std::size_t>{2}));
    lineEnds("no line feed", ends);
    EXPECT_TRUE(ends.empty());
}
