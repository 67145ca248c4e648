#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string_view>

namespace bw {

// What a parser cut out of one log line ahead of the line's turn, on the
// reader's thread (LineParser::prepare): the places of the values in the
// line, so that they stay valid with it, yes/no answers about them, and the
// hash of the row the line looks up. The scan's own thread then only reads
// them.
struct LineFields {
    static constexpr std::size_t maxParts = 8;

    std::uint64_t lookupHash = 0; // RowStore::keyHash of the row looked up; 0: none
    std::uint32_t flags = 0;      // the parser's own answers, one bit each

    bool flag(std::uint32_t bit) const { return (flags & bit) != 0; }
    void setFlag(std::uint32_t bit, bool on)
    {
        if (on)
            flags |= bit;
        else
            flags &= ~bit;
    }

    // Part k of line, the line the parts were cut from.
    std::string_view part(std::string_view line, std::size_t k) const
    {
        return line.substr(m_parts[k].begin, m_parts[k].length);
    }
    // Part k is value, a view into line or empty.
    void setPart(std::size_t k, std::string_view line, std::string_view value)
    {
        if (value.empty()) {
            m_parts[k] = {};
            return;
        }
        assert(value.data() >= line.data() && value.data() + value.size() <= line.data() + line.size());
        m_parts[k] = {static_cast<std::uint32_t>(value.data() - line.data()), static_cast<std::uint32_t>(value.size())};
    }

private:
    // Lines are cut at 16 MiB, far below 32 bits.
    struct Span {
        std::uint32_t begin = 0;
        std::uint32_t length = 0;
    };
    std::array<Span, maxParts> m_parts{};
};

} // namespace bw
