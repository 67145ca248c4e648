#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Finds which of up to 32 fixed markers occur in a line, in one pass over the
// line. Every parser tests each line for a dozen markers; searching for them
// one by one would walk each line a dozen times. A line is searched with
// Wu-Manber's method, two-byte blocks: it skips ahead by up to the shortest
// marker's length and checks markers only where their first bytes could end.
//
// The reader cuts a block of the log into lines and searches them all in
// one pass (cutLines). Where the processor has AVX2, that pass tests 32
// places at a time: the markers are dealt into eight groups, each marker
// found by three of its bytes, and a table lookup per half-byte tells for
// each place which groups' bytes could lie there; only those markers are
// compared.
class MarkerSet {
public:
    using Mask = std::uint32_t;

    // Every marker needs at least four bytes, none of them a line feed.
    MarkerSet(std::initializer_list<std::string_view> markers);

    // Bit i is set when marker i occurs anywhere in the line.
    Mask find(std::string_view line) const;
    // Cuts text into lines, each ending with a line feed, and finds the
    // markers of each, in one pass: ends gets where each line ends (after
    // its line feed), masks its markers. What follows the last line feed is
    // left.
    void cutLines(std::string_view text, std::vector<std::size_t>& ends, std::vector<Mask>& masks) const;

    static constexpr Mask bit(int index) { return Mask(1) << index; }

private:
    static constexpr std::size_t blockBytes = 2;
    static unsigned block(const char* p)
    {
        return static_cast<unsigned char>(p[0]) | (static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8);
    }

    // The vector search's groups and tables.
    void prepareWide();
    // cutLines() 32 places at a time.
    void cutLinesWide(std::string_view text, std::vector<std::size_t>& ends, std::vector<Mask>& masks) const;
    // Compares the markers of groups whose three bytes may lie at place in
    // text and adds those found. A marker holds no line feed, so one found
    // lies within the line of its place.
    void check(std::string_view text, std::size_t place, unsigned groups, Mask& found) const;

    std::vector<std::string> m_markers;
    std::size_t m_window = 0;
    Mask m_all = 0;
    std::vector<std::uint8_t> m_shift;     // per block: how far the window may move
    std::vector<std::uint8_t> m_candidate; // per block: 1 + index into m_candidateMasks, 0 for none
    std::vector<Mask> m_candidateMasks;

    // The vector search's tables: per byte of the three a marker is found
    // by, the groups whose markers hold a byte of that low and of that high
    // half there; and where in each marker those bytes lie.
    bool m_wide = false;
    std::uint8_t m_keyOffsets[32] = {};
    std::uint8_t m_nibbleTables[6][32] = {}; // low halves of bytes 1 to 3, then high halves
    Mask m_groupMarkers[8] = {};
};

} // namespace bw
