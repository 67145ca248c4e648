#pragma once

#include "lists/Row.h"
#include "lists/RowOrder.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace bw {

// The Contents list's order: name, file ID and flag as folded text; the five
// size columns by their numbers, with texts that are no number (N/A) after
// every number.
int contentsCompare(const Row& a, const Row& b, int column);

SortKey contentsSortKey(const Row& row, int column);
// The two above as one list's order.
std::unique_ptr<RowOrder> contentsOrder();

// Orders two values as 64-bit numbers (blanks around the number allowed);
// values that are no number come after all that are, ordered as folded text.
int compareAsNumbers(std::string_view a, std::string_view b);

// Sort keys that agree with foldCompare and compareAsNumbers.
SortKey foldedTextKey(std::string_view s);
SortKey numberKey(std::string_view s);

} // namespace bw
