#pragma once

namespace bw {

// The engine measures in millimetres. Reports laid out in screen pixels give
// their positions at 96 pixels to the inch.
constexpr double mmPerInch = 25.4;
constexpr double designDpi = 96.0;

constexpr double mmFromPixels(double pixels)
{
    return pixels * mmPerInch / designDpi;
}

} // namespace bw
