#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <map>
#include <memory>
#include <tuple>

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

private:
    const QFontMetricsF& metrics(const QString& family, double pointSize, bool bold, bool italic);

    QImage m_device;
    double m_mmPerDot;
    using Key = std::tuple<QString, double, bool, bool>;
    std::map<Key, std::unique_ptr<QFontMetricsF>> m_metrics;
};

} // namespace bw
