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

int contentsCompare(const Row& a, const Row& b, int column)
{
    if (column >= 2 && column <= 6)
        return compareAsNumbers(a.column(column), b.column(column));
    return foldCompare(a.column(column), b.column(column));
}

} // namespace bw
