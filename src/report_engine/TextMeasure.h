#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace bw {

// Sizes texts in millimetres, the same on every output: metrics are taken
// at a fine resolution of their own rather than at the screen's.
class TextMeasure {
public:
    TextMeasure();

    double lineHeightMm(const QString& family, double pointSize, bool bold, bool italic);
    double widthMm(const QString& text, const QString& family, double pointSize, bool bold, bool italic);
    // The height of the text wrapped at widthMm.
    double wrappedHeightMm(const QString& text, double widthMm, const QString& family, double pointSize, bool bold,
                           bool italic);

    // One line of a wrapped text: where it starts in the text and how long it is.
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    // The lines a text wraps into at widthMm. A line ends after a run of path
    // separators (a leading one stays with the part it begins) or at blanks,
    // which go with neither line; only a part wider than the line breaks
    // inside, after its last dot, hyphen or underscore that fits, else after
    // its last character that fits. Every output draws these same lines.
    std::vector<Span> wrapLines(const QString& text, double widthMm, const QString& family, double pointSize,
                                bool bold, bool italic);

private:
    const QFontMetricsF& metrics(const QString& family, double pointSize, bool bold, bool italic);
    // The advance of every unit of the text (a surrogate pair counts once, on its first half), summed from the start.
    void prefixAdvances(const QString& text, const QFontMetricsF& metrics, std::vector<double>& out);

    QImage m_device;
    double m_mmPerDot;
    using Key = std::tuple<QString, double, bool, bool>;
    std::map<Key, std::unique_ptr<QFontMetricsF>> m_metrics;
    std::map<const QFontMetricsF*, std::unordered_map<char32_t, double>> m_advances;
    std::vector<double> m_prefix;
};

} // namespace bw
