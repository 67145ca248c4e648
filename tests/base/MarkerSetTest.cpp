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
