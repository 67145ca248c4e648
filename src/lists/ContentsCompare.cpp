#include "lists/ContentsCompare.h"

#include "base/Text.h"

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

std::uint64_t foldedTextKey(std::string_view s)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        unsigned char c = i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - ('a' - 'A'));
        key = (key << 8) | c;
    }
    return key;
}

std::uint64_t numberKey(std::string_view s)
{
    const auto value = readInt64(trim(s));
    if (!value)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(*value) ^ (std::uint64_t(1) << 63);
}

std::uint64_t contentsSortKey(const Row& row, int column)
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

} // namespace bw
