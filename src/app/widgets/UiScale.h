#pragma once

class QFontMetrics;

namespace bw {

// The window's pixel sizes were laid out for an 8-point UI font at 96 dots
// per inch (characters 5 pixels wide on average, lines 13 high). At another
// font or density they grow and shrink with the font, so that text fits.
class UiScale {
public:
    explicit UiScale(const QFontMetrics& metrics);

    int x(int designPixels) const;
    int y(int designPixels) const;

private:
    double m_x;
    double m_y;
};

} // namespace bw
