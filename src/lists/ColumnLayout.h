#pragma once

#include <Qt>

#include <span>

namespace bw {

enum class ScanKind;

// One visible column of a tab's list.
struct ColumnInfo {
    const char* caption;
    int width;
    Qt::Alignment alignment;
    bool fixed; // the user cannot resize it
};

std::span<const ColumnInfo> columnsFor(ScanKind kind);

} // namespace bw
