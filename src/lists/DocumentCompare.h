#pragma once

#include "lists/Row.h"
#include "lists/RowOrder.h"

#include <cstdint>
#include <memory>

namespace bw {

// The Document list's order: the document number as a signed 64-bit number,
// captions that are no number after every number; the other columns as
// folded text.
int documentCompare(const Row& a, const Row& b, int column);
SortKey documentSortKey(const Row& row, int column);
std::unique_ptr<RowOrder> documentOrder();

} // namespace bw
