#include "base/MarkerSet.h"

#include <gtest/gtest.h>

#include <random>

using namespace bw;

TEST(MarkerSet, FindsMarkersAnywhereIncludingOverlapsAndEnds)
{
    const MarkerSet set({"END - JOB LOG", "===== BEGIN - JOB LOG", "PROCESSING COMPLETE", "abab"});
    EXPECT_EQ(set.find("===== BEGIN - JOB LOG =====\r\n"), MarkerSet::bit(1));
    EXPECT_EQ(set.find("xx END - JOB LOG"), MarkerSet::bit(0));
    EXPECT_EQ(set.find("PROCESSING COMPLETEabab"), MarkerSet::bit(2) | MarkerSet::bit(3));
    EXPECT_EQ(set.find("PROCESSING COMPLET"), 0u);
    EXPECT_EQ(set.find("a"), 0u);
    EXPECT_EQ(set.find(""), 0u);
    EXPECT_EQ(set.find("processing complete"), 0u);
}

// The skip search must agree with a plain substring search on every line.
TEST(MarkerSet, AgreesWithPlainSearchOnRandomText)
{
    const std::vector<std::string> markers = {"Checking user =", "User stats:", "bytes in use by user", "CONTENTS",
                                              "aaba", "baab", "Size Limit - "};
    const MarkerSet set({markers[0], markers[1], markers[2], markers[3], markers[4], markers[5], markers[6]});
    std::mt19937 rng(7);
    const std::string alphabet = "ab Cer:=sS";
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const int length = static_cast<int>(rng() % 60);
        for (int i = 0; i < length; ++i) {
            if (rng() % 12 == 0) {
                const std::string& m = markers[rng() % markers.size()];
                line += m.substr(0, m.size() - (rng() % 2));
            } else {
                line += alphabet[rng() % alphabet.size()];
            }
        }
        MarkerSet::Mask expected = 0;
        for (std::size_t k = 0; k < markers.size(); ++k) {
            if (line.find(markers[k]) != std::string::npos)
                expected |= MarkerSet::bit(static_cast<int>(k));
        }
        ASSERT_EQ(set.find(line), expected) << line;
    }
}

// The vector search runs over whole runs of lines, 32 places at a time: lines
// of every length against the block edges, markers at either end of a line,
// a text that stops without a line feed, and as many markers as a set holds.
TEST(MarkerSet, CutsLinesAndFindsTheirMarkersAsAPlainSearchDoes)
{
    EXPECT_THROW(MarkerSet({"two\nlines"}), std::invalid_argument);
    std::vector<std::string> markers = {"Checking user =", "User stats:", "abab", "Size Limit - ", "===== TASK LOG -"};
    for (char c = 'c'; markers.size() < 32; ++c)
        markers.push_back(std::string("x") + c + "yz" + c);
    const MarkerSet set({markers[0], markers[1], markers[2], markers[3], markers[4], markers[5], markers[6],
                         markers[7], markers[8], markers[9], markers[10], markers[11], markers[12], markers[13],
                         markers[14], markers[15], markers[16], markers[17], markers[18], markers[19], markers[20],
                         markers[21], markers[22], markers[23], markers[24], markers[25], markers[26], markers[27],
                         markers[28], markers[29], markers[30], markers[31]});
    const auto plain = [&](std::string_view line) {
        MarkerSet::Mask m = 0;
        for (std::size_t k = 0; k < markers.size(); ++k) {
            if (line.find(markers[k]) != std::string_view::npos)
                m |= MarkerSet::bit(static_cast<int>(k));
        }
        return m;
    };
    std::mt19937 rng(11);
    const std::string alphabet = "ab xyzcdCe:=\n";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(rng() % 300);
        while (static_cast<int>(text.size()) < length) {
            if (rng() % 10 == 0) {
                const std::string& m = markers[rng() % markers.size()];
                text += m.substr(0, m.size() - (rng() % 2));
            } else {
                text += alphabet[rng() % alphabet.size()];
            }
        }
        std::vector<std::size_t> ends;
        std::vector<MarkerSet::Mask> masks;
        set.cutLines(text, ends, masks);
        std::vector<std::size_t> expectedEnds;
        std::vector<MarkerSet::Mask> expectedMasks;
        std::size_t begin = 0;
        for (std::size_t lf; (lf = text.find('\n', begin)) != std::string::npos; begin = lf + 1) {
            expectedEnds.push_back(lf + 1);
            expectedMasks.push_back(plain(std::string_view(text).substr(begin, lf + 1 - begin)));
        }
        ASSERT_EQ(ends, expectedEnds) << text;
        ASSERT_EQ(masks, expectedMasks) << text;
        ASSERT_EQ(set.find(text), plain(text)) << text;
    }
}
