#include "lists/ExpireCompare.h"

#include "base/Text.h"
#include "lists/ContentsCompare.h"

namespace bw {

int expireCompare(const Row& a, const Row& b, int column)
{
    // Column 3, "User Database Size".
    if (column == 3)
        return compareAsNumbers(a.column(column), b.column(column));
    return foldCompare(a.column(column), b.column(column));
}

SortKey expireSortKey(const Row& row, int column)
{
    return column == 3 ? numberKey(row.column(column)) : foldedTextKey(row.column(column));
}

std::unique_ptr<RowOrder> expireOrder()
{
    return ruleOrder(expireCompare, expireSortKey);
}

} // namespace bw
