#pragma once

#include "lists/Row.h"

#include <cstdint>
#include <memory>

namespace bw {

// Orders two rows by a column, ignoring the direction: <0, 0 or >0. Rules
// must be total orders so that a sort can never fail.
using CompareRule = int (*)(const Row& a, const Row& b, int column);

// Optional companion of a compare rule that makes sorting large lists cheap:
// a key per row and column such that a smaller key (high, then low) always
// means an earlier row. Rows with equal keys are left to the compare rule,
// unless both keys are decisive: then the rows are equal.
struct SortKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    bool decisive = false;
};
using SortKeyRule = SortKey (*)(const Row& row, int column);

// A list's order. Each list owns its own, so an order that remembers what it
// read (dates in the user's formats) serves that list alone.
class RowOrder {
public:
    virtual ~RowOrder() = default;

    virtual int compare(const Row& a, const Row& b, int column) const = 0;

    // Whether sortKey() gives keys that agree with compare().
    virtual bool hasSortKeys() const { return false; }
    virtual SortKey sortKey(const Row& row, int column) const;
};

// The order of a plain compare rule and, if not nullptr, its sort keys.
std::unique_ptr<RowOrder> ruleOrder(CompareRule rule, SortKeyRule key = nullptr);

} // namespace bw
