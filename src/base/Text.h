#pragma once

#include <bit>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The text rules every parser shares. Logs are bytes: nothing here decodes or
// knows about letter case beyond a to z. Positions count from 1, as the log
// formats are described.
namespace bw {

namespace detail {

// Fields are short: a one-byte needle is looked for sixteen bytes at a step
// where the processor can, and byte by byte otherwise, which beats the call
// of memchr that std::string_view::find makes.
inline std::size_t findByte(std::string_view s, char c)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const std::size_t n = s.size();
    if (n >= 16) {
        const __m128i needle = _mm_set1_epi8(c);
        const auto matches = [&](std::size_t at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + at));
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, needle)));
        };
        for (; i + 16 <= n; i += 16) {
            if (const unsigned m = matches(i))
                return i + static_cast<unsigned>(std::countr_zero(m));
        }
        if (i == n)
            return std::string_view::npos;
        // The last sixteen bytes, of which those before i were searched.
        const std::size_t last = n - 16;
        if (const unsigned m = matches(last) >> (i - last))
            return i + static_cast<unsigned>(std::countr_zero(m));
        return std::string_view::npos;
    }
#endif
    for (; i < s.size(); ++i) {
        if (s[i] == c)
            return i;
    }
    return std::string_view::npos;
}

// A longer needle: places whose first and last bytes match it, sixteen at a
// step, and only those compared whole.
inline std::size_t findText(std::string_view s, std::string_view what)
{
    const std::size_t m = what.size();
    const std::size_t n = s.size();
    if (m > n)
        return std::string_view::npos;
    std::size_t i = 0;
#if defined(__SSE2__)
    if (n - m + 1 >= 16) {
        const __m128i first = _mm_set1_epi8(what.front());
        const __m128i last = _mm_set1_epi8(what.back());
        const auto found = [&](std::size_t at, unsigned places) -> std::size_t {
            for (; places != 0; places &= places - 1) {
                const std::size_t k = at + static_cast<unsigned>(std::countr_zero(places));
                if (std::memcmp(s.data() + k + 1, what.data() + 1, m - 2) == 0)
                    return k;
            }
            return std::string_view::npos;
        };
        const auto candidates = [&](std::size_t at) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + at));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + at + m - 1));
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        };
        // Places 0 to n - m may start the needle.
        const std::size_t places = n - m + 1;
        for (; i + 16 <= places; i += 16) {
            const std::size_t k = found(i, candidates(i));
            if (k != std::string_view::npos)
                return k;
        }
        if (i == places)
            return std::string_view::npos;
        // The last sixteen places, of which those before i were tried.
        const std::size_t tail = places - 16;
        return found(i, candidates(tail) >> (i - tail));
    }
#endif
    for (; i + m <= n; ++i) {
        if (s[i] == what.front() && std::memcmp(s.data() + i + 1, what.data() + 1, m - 1) == 0)
            return i;
    }
    return std::string_view::npos;
}

inline std::size_t findIn(std::string_view s, std::string_view what)
{
    if (what.empty())
        return 0;
    return what.size() == 1 ? findByte(s, what[0]) : findText(s, what);
}

} // namespace detail

// Removes every character with a code up to 32 from both ends.
inline std::string_view trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

// 1-based position of the first occurrence of what, 0 when there is none.
inline std::size_t pos(std::string_view s, std::string_view what)
{
    const std::size_t p = detail::findIn(s, what);
    return p == std::string_view::npos ? 0 : p + 1;
}

// The text from 1-based position p to the end; a position below 1 starts at
// the first character, one past the end gives an empty text.
inline std::string_view fromPos(std::string_view s, std::ptrdiff_t p)
{
    if (p < 1)
        p = 1;
    const auto start = static_cast<std::size_t>(p - 1);
    return start >= s.size() ? std::string_view() : s.substr(start);
}

// Up to n characters starting at 1-based position p (fewer at the end).
inline std::string_view copyAt(std::string_view s, std::ptrdiff_t p, std::size_t n)
{
    return fromPos(s, p).substr(0, n);
}

// The text before the first x; empty when x does not occur.
inline std::string_view upTo(std::string_view s, std::string_view x)
{
    const std::size_t p = detail::findIn(s, x);
    return p == std::string_view::npos ? std::string_view() : s.substr(0, p);
}

// The text after the first x; all of s when x does not occur.
inline std::string_view afterFirst(std::string_view s, std::string_view x)
{
    const std::size_t p = detail::findIn(s, x);
    return p == std::string_view::npos ? s : s.substr(p + x.size());
}

inline bool contains(std::string_view s, std::string_view what)
{
    return s.find(what) != std::string_view::npos;
}

// Byte comparison after folding only a to z to A to Z; a text that begins the
// other goes first. Returns <0, 0 or >0.
int foldCompare(std::string_view a, std::string_view b);

// Whether s contains what (given in upper case) after folding a to z in s.
bool containsFolded(std::string_view s, std::string_view upperWhat);

// Where each line of text ends, after its line feed, in ends (emptied
// first). What follows the last line feed is left.
void lineEnds(std::string_view text, std::vector<std::size_t>& ends);

// Signed decimal integers: leading blanks and one sign allowed, then at least
// one digit and nothing after; out of range is no number.
std::optional<std::int32_t> readInt32(std::string_view s);
std::optional<std::int64_t> readInt64(std::string_view s);

} // namespace bw
