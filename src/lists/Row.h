#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bw {

// One list row: a caption and text sub-items (sub-item k shows in column
// k + 1). Values are log bytes as cut, never decoded.
struct Row {
    std::string caption;
    std::vector<std::string> subItems;
    bool checked = false;

    // Column 0 is the caption, column k + 1 sub-item k; missing ones read empty.
    const std::string& column(int index) const;

    // Kept by the RowStore that holds the row, so that taking a row back for
    // assembly never searches the list; nothing else reads it.
    struct StorePlace {
        std::uint64_t sequence = 0; // when the row last entered the queue to be placed
        std::size_t slot = 0;       // its index in the store's queue
        std::uint8_t state = 0;
    };
    StorePlace place = {};
};

} // namespace bw
