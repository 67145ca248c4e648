#include "lists/ContentsCompare.h"

#include "base/Text.h"

#include <algorithm>

namespace bw {

int compareAsNumbers(std::string_view a, std::string_view b)
{
    const auto x = readInt64(trim(a));
    const auto y = readInt64(trim(b));
    if (x && y)
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x != y)
        return x ? -1 : 1;
    return foldCompare(a, b);
}

SortKey foldedTextKey(std::string_view s)
{
    // The first 15 folded bytes, then the length (at most 15): a text of up
    // to 14 bytes is all in its key.
    const auto byteAt = [&](std::size_t i) -> std::uint64_t {
        unsigned char c = i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - ('a' - 'A'));
        return c;
    };
    SortKey key;
    for (std::size_t i = 0; i < 8; ++i)
        key.high = (key.high << 8) | byteAt(i);
    for (std::size_t i = 8; i < 15; ++i)
        key.low = (key.low << 8) | byteAt(i);
    key.low = (key.low << 8) | std::min<std::size_t>(s.size(), 15);
    key.decisive = s.size() <= 14;
    return key;
}

SortKey numberKey(std::string_view s)
{
    const auto value = readInt64(trim(s));
    if (!value)
        return {UINT64_MAX, 0, false};
    return {static_cast<std::uint64_t>(*value) ^ (std::uint64_t(1) << 63), 0, true};
}

SortKey contentsSortKey(const Row& row, int column)
{
    if (column >= 2 && column <= 6)
        return numberKey(row.column(column));
    return foldedTextKey(row.column(column));
}

int contentsCompare(const Row& a, const Row& b, int column)
{
    if (column >= 2 && column <= 6)
        return compareAsNumbers(a.column(column), b.column(column));
    return foldCompare(a.column(column), b.column(column));
}

std::unique_ptr<RowOrder> contentsOrder()
{
    return ruleOrder(contentsCompare, contentsSortKey);
}

} // namespace bw
