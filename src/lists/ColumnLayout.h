#pragma once

#include <Qt>

#include <span>

namespace bw {

// One visible column of a tab's list: its designed width, which the user
// may change.
struct ColumnInfo {
    const char* caption;
    int width;
    Qt::Alignment alignment;
};

// The visible columns of each kind's list, caption column first.
std::span<const ColumnInfo> contentsColumns();
std::span<const ColumnInfo> documentColumns();
std::span<const ColumnInfo> expireColumns();
std::span<const ColumnInfo> blobColumns();

} // namespace bw
