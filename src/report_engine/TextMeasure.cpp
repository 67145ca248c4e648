#include "report_engine/TextMeasure.h"

#include "report_engine/ReportUnits.h"

#include <algorithm>

namespace bw {

namespace {

constexpr int measureDpi = 1200;

} // namespace

TextMeasure::TextMeasure()
    : m_device(1, 1, QImage::Format_RGB32)
    , m_mmPerDot(mmPerInch / measureDpi)
{
    const int dotsPerMetre = static_cast<int>(measureDpi / 0.0254 + 0.5);
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
}

const QFontMetricsF& TextMeasure::metrics(const QString& family, double pointSize, bool bold, bool italic)
{
    Key key{family, pointSize, bold, italic};
    auto it = m_metrics.find(key);
    if (it == m_metrics.end()) {
        QFont font(family);
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        font.setItalic(italic);
        it = m_metrics.emplace(std::move(key), std::make_unique<QFontMetricsF>(font, &m_device)).first;
    }
    return *it->second;
}

double TextMeasure::lineHeightMm(const QString& family, double pointSize, bool bold, bool italic)
{
    return metrics(family, pointSize, bold, italic).height() * m_mmPerDot;
}

double TextMeasure::widthMm(const QString& text, const QString& family, double pointSize, bool bold, bool italic)
{
    const QFontMetricsF& fm = metrics(family, pointSize, bold, italic);
    // Latin text is summed glyph by glyph from a cache, which spares the
    // shaping of every text of every row; kerning moves it by a fraction of
    // a glyph, which the blank kept between texts absorbs. Other scripts are
    // shaped.
    double sum = 0;
    std::unordered_map<char32_t, double>& cache = m_advances[&fm];
    for (const QChar c : text) {
        if (c.unicode() >= 0x0250 || c.isMark())
            return fm.horizontalAdvance(text) * m_mmPerDot;
        auto it = cache.find(c.unicode());
        if (it == cache.end())
            it = cache.emplace(c.unicode(), std::max(0.0, fm.horizontalAdvance(QString(c)))).first;
        sum += it->second;
    }
    return sum * m_mmPerDot;
}

double TextMeasure::wrappedHeightMm(const QString& text, double widthMm, const QString& family, double pointSize,
                                    bool bold, bool italic)
{
    const std::size_t lines = wrapLines(text, widthMm, family, pointSize, bold, italic).size();
    return static_cast<double>(std::max<std::size_t>(1, lines)) * lineHeightMm(family, pointSize, bold, italic);
}

void TextMeasure::prefixAdvances(const QString& text, const QFontMetricsF& fm, std::vector<double>& out)
{
    // Glyph by glyph, so that a line of any length is sized in one pass;
    // kerning only ever narrows a line, so a line that fits here fits drawn.
    std::unordered_map<char32_t, double>& cache = m_advances[&fm];
    const qsizetype n = text.size();
    out.assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (qsizetype i = 0; i < n;) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const char32_t code = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        auto it = cache.find(code);
        if (it == cache.end())
            it = cache.emplace(code, std::max(0.0, fm.horizontalAdvance(text.mid(i, units)))).first;
        const auto at = static_cast<std::size_t>(i);
        out[at + 1] = out[at] + it->second;
        if (pair)
            out[at + 2] = out[at + 1];
        i += units;
    }
}

std::vector<TextMeasure::Span> TextMeasure::wrapLines(const QString& text, double widthMm, const QString& family,
                                                      double pointSize, bool bold, bool italic)
{
    const QFontMetricsF& fm = metrics(family, pointSize, bold, italic);
    prefixAdvances(text, fm, m_prefix);
    const double width = widthMm / m_mmPerDot;
    const auto advance = [this](qsizetype from, qsizetype to) {
        return m_prefix[static_cast<std::size_t>(to)] - m_prefix[static_cast<std::size_t>(from)];
    };
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    const auto separator = [](QChar c) { return c == u'\\' || c == u'/'; };
    // A character with the marks that follow it, and both halves of a pair.
    const auto unitEnd = [&text](qsizetype i) {
        const qsizetype n = text.size();
        i += text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
        while (i < n && text[i].isMark())
            ++i;
        return i;
    };

    std::vector<Span> lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        if (advance(start, n) <= width) {
            lines.push_back({start, n - start});
            break;
        }
        // The farthest break that fits; the scan stops where the text
        // already passes the width, so each line costs its own length.
        qsizetype fitEnd = -1;
        qsizetype fitNext = -1;
        bool inPart = false;
        for (qsizetype i = start; i < n && advance(start, i) <= width;) {
            const QChar c = text[i];
            qsizetype end = -1;
            qsizetype next = -1;
            if (blank(c) || separator(c)) {
                qsizetype j = i;
                while (j < n && (blank(c) ? blank(text[j]) : separator(text[j])))
                    ++j;
                if (inPart && j < n) {
                    end = blank(c) ? i : j;
                    next = j;
                }
                i = j;
            } else {
                inPart = true;
                ++i;
            }
            if (end < 0)
                continue;
            if (advance(start, end) > width)
                break;
            fitEnd = end;
            fitNext = next;
        }
        if (fitEnd > start) {
            lines.push_back({start, fitEnd - start});
            start = fitNext;
            continue;
        }
        // A part wider than the line: after its last dot, hyphen or
        // underscore that fits, else after its last character that fits.
        qsizetype cut = start;
        qsizetype soft = -1;
        bool leading = true;
        for (qsizetype i = start; i < n && (leading || !blank(text[i]));) {
            leading = leading && blank(text[i]);
            const qsizetype end = unitEnd(i);
            if (advance(start, end) > width)
                break;
            if (text[i] == u'.' || text[i] == u'-' || text[i] == u'_')
                soft = end;
            i = cut = end;
        }
        if (soft > start)
            cut = soft;
        if (cut == start)
            cut = unitEnd(start);
        lines.push_back({start, cut - start});
        start = cut;
    }
    return lines;
}

} // namespace bw
