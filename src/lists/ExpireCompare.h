#pragma once

#include "lists/Row.h"
#include "lists/RowOrder.h"

#include <cstdint>
#include <memory>

namespace bw {

// The Message DB list's order: names and database files as folded text, the
// size by its number. Sizes beyond 32 bits still order as numbers; sizes that
// are no number (empty, words) come after every number.
int expireCompare(const Row& a, const Row& b, int column);
SortKey expireSortKey(const Row& row, int column);
std::unique_ptr<RowOrder> expireOrder();

} // namespace bw
