#pragma once

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
};

} // namespace bw
