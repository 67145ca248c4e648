#include "base/Text.h"

#include <bit>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bw {

namespace {

constexpr unsigned char fold(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

constexpr bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

template <typename Int>
std::optional<Int> readInt(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        return std::nullopt;
    // Accumulate towards the negative side, which has room for the minimum.
    constexpr Int min = std::numeric_limits<Int>::min();
    Int value = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value < (min + digit) / 10)
            return std::nullopt;
        value = static_cast<Int>(value * 10 - digit);
    }
    if (!negative) {
        if (value == min)
            return std::nullopt;
        value = static_cast<Int>(-value);
    }
    return value;
}

// Fields are short: a one-byte needle is looked for sixteen bytes at a step
// where the processor can, and byte by byte otherwise, which beats the call
// of memchr that std::string_view::find makes.
std::size_t findByte(std::string_view s, char c)
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
std::size_t findText(std::string_view s, std::string_view what)
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

std::size_t findIn(std::string_view s, std::string_view what)
{
    if (what.empty())
        return 0;
    return what.size() == 1 ? findByte(s, what[0]) : findText(s, what);
}

} // namespace

std::string_view trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isTrimmed(s[b]))
        ++b;
    while (e > b && isTrimmed(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

void lineEnds(std::string_view text, std::vector<std::size_t>& ends)
{
    ends.clear();
    for (std::size_t at = 0; const void* lf = std::memchr(text.data() + at, '\n', text.size() - at);) {
        at = static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) + 1;
        ends.push_back(at);
    }
}

std::size_t pos(std::string_view s, std::string_view what)
{
    const std::size_t p = findIn(s, what);
    return p == std::string_view::npos ? 0 : p + 1;
}

std::string_view fromPos(std::string_view s, std::ptrdiff_t p)
{
    if (p < 1)
        p = 1;
    const auto start = static_cast<std::size_t>(p - 1);
    return start >= s.size() ? std::string_view() : s.substr(start);
}

std::string_view copyAt(std::string_view s, std::ptrdiff_t p, std::size_t n)
{
    return fromPos(s, p).substr(0, n);
}

std::string_view upTo(std::string_view s, std::string_view x)
{
    const std::size_t p = findIn(s, x);
    return p == std::string_view::npos ? std::string_view() : s.substr(0, p);
}

std::string_view afterFirst(std::string_view s, std::string_view x)
{
    const std::size_t p = findIn(s, x);
    return p == std::string_view::npos ? s : s.substr(p + x.size());
}

int foldCompare(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = fold(static_cast<unsigned char>(a[i]));
        const unsigned char cb = fold(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool containsFolded(std::string_view s, std::string_view upperWhat)
{
    if (upperWhat.empty())
        return true;
    if (s.size() < upperWhat.size())
        return false;
    const std::size_t last = s.size() - upperWhat.size();
    for (std::size_t i = 0; i <= last; ++i) {
        std::size_t k = 0;
        while (k < upperWhat.size()
               && fold(static_cast<unsigned char>(s[i + k])) == static_cast<unsigned char>(upperWhat[k]))
            ++k;
        if (k == upperWhat.size())
            return true;
    }
    return false;
}

std::optional<std::int32_t> readInt32(std::string_view s)
{
    return readInt<std::int32_t>(s);
}

std::optional<std::int64_t> readInt64(std::string_view s)
{
    return readInt<std::int64_t>(s);
}

} // namespace bw
