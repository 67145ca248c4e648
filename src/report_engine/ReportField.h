#pragma once

#include "report_engine/ReportPage.h"

#include <QString>

#include <optional>

namespace bw {

// A text in a band. Its position is in millimetres from the band's top left
// corner; x is the left edge of a left-aligned text, the right edge of a
// right-aligned one and the middle of a centred one, so the text grows away
// from it. The field is as wide as its text, or wraps at a width when asked.
class ReportField {
public:
    using Align = PageText::Align;
    enum class Kind { Text, DateTime };

    ReportField(double xMm, double yMm, Align align = Align::Left, Kind kind = Kind::Text);

    Kind kind() const { return m_kind; }
    double xMm() const { return m_x; }
    double yMm() const { return m_y; }
    void setPosition(double xMm, double yMm);
    Align align() const { return m_align; }

    const QString& text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // Wraps the text at this width; 0 keeps it on one line.
    double wrapWidthMm() const { return m_wrapWidth; }
    void setWrapWidthMm(double width) { m_wrapWidth = width; }

    // Unset: the band's style.
    std::optional<bool> bold() const { return m_bold; }
    std::optional<bool> italic() const { return m_italic; }
    void setBold(std::optional<bool> bold) { m_bold = bold; }
    void setItalic(std::optional<bool> italic) { m_italic = italic; }

private:
    double m_x;
    double m_y;
    Align m_align;
    Kind m_kind;
    QString m_text;
    bool m_visible = true;
    double m_wrapWidth = 0;
    std::optional<bool> m_bold;
    std::optional<bool> m_italic;
};

} // namespace bw
