#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace bw {

// A version-resource block as Windows lays it out: a tree of nodes, each a
// 16-bit total length, value length and type, a zero-terminated UTF-16 key,
// its value and its children, every part aligned to 4 bytes from the start
// of the block. The root is "VS_VERSION_INFO" with the fixed file
// information as its value; the strings sit under "StringFileInfo" and the
// translations under "VarFileInfo".
class VersionBlock {
public:
    static constexpr quint32 fixedSignature = 0xFEEF04BD;
    static constexpr int fixedInfoSize = 52;

    VersionBlock() = default;
    explicit VersionBlock(QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }

    // The value at a path of keys separated by "\" ("\" alone is the root's
    // value), keys compared without regard to ASCII letter case; nothing
    // when the path leads nowhere. Text values are UTF-16, as stored.
    std::optional<QByteArrayView> query(QStringView path) const;

    // A stored text value: the UTF-16 characters up to the first zero.
    static QString text(QByteArrayView utf16);

    // Where a block starts in data (the file it is embedded in) and how long
    // it is, checked well enough that stray bytes are not taken for one.
    struct Location {
        qsizetype offset = -1;
        qsizetype size = 0;
    };
    static Location find(QByteArrayView data);

private:
    QByteArray m_bytes;
};

} // namespace bw
