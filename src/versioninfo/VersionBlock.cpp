#include "versioninfo/VersionBlock.h"

#include <QList>
#include <QtEndian>

#include <algorithm>
#include <functional>

namespace bw {

namespace {

constexpr qsizetype headerSize = 6;
constexpr char rootKey[] = "VS_VERSION_INFO";

// Alignment counts from the start of the block, wherever it lies.
qsizetype align4(qsizetype offset, qsizetype base = 0)
{
    return base + ((offset - base + 3) & ~qsizetype(3));
}

quint16 word(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.data() + at);
}

struct Node {
    qsizetype end = 0;
    qsizetype valueStart = 0;
    qsizetype valueSize = 0;
    qsizetype childrenStart = 0;
    QString key;
};

// The node at start, which must lie within limit, in a block beginning at
// base; nothing when its lengths do not fit.
std::optional<Node> readNode(QByteArrayView data, qsizetype start, qsizetype limit, qsizetype base = 0)
{
    if (start < 0 || limit - start < headerSize)
        return std::nullopt;
    const qsizetype length = word(data, start);
    if (length < headerSize || length > limit - start)
        return std::nullopt;
    Node node;
    node.end = start + length;
    const qsizetype valueLength = word(data, start + 2);
    const bool isText = word(data, start + 4) == 1;
    qsizetype at = start + headerSize;
    for (;; at += 2) {
        if (node.end - at < 2)
            return std::nullopt;
        const char16_t c = word(data, at);
        if (c == 0)
            break;
        node.key.append(QChar(c));
    }
    node.valueStart = std::min(align4(at + 2, base), node.end);
    node.valueSize = std::min(isText ? valueLength * 2 : valueLength, node.end - node.valueStart);
    node.childrenStart = align4(node.valueStart + node.valueSize, base);
    return node;
}

} // namespace

VersionBlock::VersionBlock(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

std::optional<QByteArrayView> VersionBlock::query(QStringView path) const
{
    const QByteArrayView data(m_bytes);
    std::optional<Node> node = readNode(data, 0, data.size());
    if (!node)
        return std::nullopt;
    for (QStringView key : path.split(u'\\', Qt::SkipEmptyParts)) {
        std::optional<Node> found;
        for (qsizetype at = node->childrenStart; at < node->end;) {
            std::optional<Node> child = readNode(data, at, node->end);
            if (!child)
                break;
            if (child->key.compare(key, Qt::CaseInsensitive) == 0) {
                found = std::move(child);
                break;
            }
            at = align4(child->end);
        }
        if (!found)
            return std::nullopt;
        node = std::move(found);
    }
    return data.sliced(node->valueStart, node->valueSize);
}

QString VersionBlock::text(QByteArrayView utf16)
{
    QString result;
    for (qsizetype at = 0; at + 1 < utf16.size(); at += 2) {
        const char16_t c = word(utf16, at);
        if (c == 0)
            break;
        result.append(QChar(c));
    }
    return result;
}

VersionBlock::Location VersionBlock::find(QByteArrayView data)
{
    // Made here rather than written as a UTF-16 literal, so that this program
    // holds the pattern only where its own block holds it.
    QByteArray pattern;
    for (const char c : rootKey)
        pattern.append(c).append('\0');
    const std::boyer_moore_horspool_searcher searcher(pattern.cbegin(), pattern.cend());
    const char* const begin = data.data();
    const char* const end = begin + data.size();
    for (const char* hit = begin; (hit = std::search(hit, end, searcher)) != end; ++hit) {
        const qsizetype start = (hit - begin) - headerSize;
        if (start < 0)
            continue;
        const std::optional<Node> root = readNode(data, start, data.size(), start);
        if (!root || word(data, start + 2) != fixedInfoSize || word(data, start + 4) != 0
            || root->valueSize != fixedInfoSize
            || qFromLittleEndian<quint32>(begin + root->valueStart) != fixedSignature)
            continue;
        return {start, root->end - start};
    }
    return {};
}

} // namespace bw
