#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Finds which of up to 32 fixed markers occur in a line, in one pass over the
// line. Every parser tests each line for a dozen markers; searching for them
// one by one would walk each line a dozen times. This is a Wu-Manber search
// with two-byte blocks: it skips ahead by up to the shortest marker's length
// and checks markers only where their first bytes could end.
class MarkerSet {
public:
    using Mask = std::uint32_t;

    // Every marker needs at least four bytes.
    MarkerSet(std::initializer_list<std::string_view> markers);

    // Bit i is set when marker i occurs anywhere in the line.
    Mask find(std::string_view line) const;

    static constexpr Mask bit(int index) { return Mask(1) << index; }

private:
    static constexpr std::size_t blockBytes = 2;
    static unsigned block(const char* p)
    {
        return static_cast<unsigned char>(p[0]) | (static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8);
    }

    static std::uint32_t head(const char* p)
    {
        std::uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }

    std::vector<std::string> m_markers;
    std::vector<std::uint32_t> m_heads; // first four bytes, to reject most candidates cheaply
    std::size_t m_window = 0;
    Mask m_all = 0;
    std::vector<std::uint8_t> m_shift;     // per block: how far the window may move
    std::vector<std::uint8_t> m_candidate; // per block: 1 + index into m_candidateMasks, 0 for none
    std::vector<Mask> m_candidateMasks;
};

} // namespace bw
