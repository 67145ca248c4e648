#pragma once

#include <Qt>

#include <span>

namespace bw {

enum class ScanKind;

// One visible column of a tab's list.
struct ColumnSpec {
    const char* caption;
    int width;
    Qt::Alignment alignment;
    bool fixed; // the user cannot resize it
};

std::span<const ColumnSpec> columnsFor(ScanKind kind);

} // namespace bw
