#pragma once

#include "lists/Row.h"

#include <optional>
#include <string>

namespace bw {

struct Rgb {
    int red, green, blue;
};

// Users over a limit stand out: red above the size limit, yellow above the
// threshold; others keep the list's background.
std::optional<Rgb> contentsRowColour(const Row& row);

// The tip for a user's row, empty for an unknown flag (then no tip shows).
std::string contentsRowTip(const Row& row);

} // namespace bw
