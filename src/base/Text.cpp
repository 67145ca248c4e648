#include "base/Text.h"

#include <cstring>
#include <limits>

namespace bw {

namespace {

constexpr unsigned char fold(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
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

} // namespace

void lineEnds(std::string_view text, std::vector<std::size_t>& ends)
{
    ends.clear();
    for (std::size_t at = 0; const void* lf = std::memchr(text.data() + at, '\n', text.size() - at);) {
        at = static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) + 1;
        ends.push_back(at);
    }
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
