#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bw {

// The version resource of a program file: the version block embedded in it
// by the build, found wherever it lies in the file.
class VersionResource {
public:
    // The block's size in bytes; 0 when the file has none or cannot be read.
    static qint64 size(const QString& path);
    // The block itself; nothing when it cannot be read.
    static std::optional<QByteArray> read(const QString& path);
};

} // namespace bw
