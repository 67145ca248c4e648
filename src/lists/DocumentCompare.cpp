#include "lists/DocumentCompare.h"

#include "base/Text.h"
#include "lists/ContentsCompare.h"

namespace bw {

int documentCompare(const Row& a, const Row& b, int column)
{
    if (column == 0)
        return compareAsNumbers(a.caption, b.caption);
    return foldCompare(a.column(column), b.column(column));
}

SortKey documentSortKey(const Row& row, int column)
{
    return column == 0 ? numberKey(row.caption) : foldedTextKey(row.column(column));
}

std::unique_ptr<RowOrder> documentOrder()
{
    return ruleOrder(documentCompare, documentSortKey);
}

} // namespace bw
