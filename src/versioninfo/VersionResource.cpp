#include "versioninfo/VersionResource.h"

#include "versioninfo/VersionBlock.h"

#include <QFile>

namespace bw {

namespace {

// Maps the file rather than reading it: a program built with debugging
// information runs to hundreds of megabytes.
std::optional<QByteArray> findBlock(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return std::nullopt;
    const uchar* mapped = file.map(0, file.size());
    if (mapped) {
        const QByteArrayView data(reinterpret_cast<const char*>(mapped), file.size());
        const VersionBlock::Location at = VersionBlock::find(data);
        std::optional<QByteArray> block;
        if (at.offset >= 0)
            block = data.sliced(at.offset, at.size).toByteArray();
        file.unmap(const_cast<uchar*>(mapped));
        return block;
    }
    // Not every file can be mapped (a pipe, some file systems).
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const VersionBlock::Location at = VersionBlock::find(data);
    if (at.offset < 0)
        return std::nullopt;
    return data.sliced(at.offset, at.size);
}

} // namespace

qint64 VersionResource::size(const QString& path)
{
    const std::optional<QByteArray> block = findBlock(path);
    return block ? block->size() : 0;
}

std::optional<QByteArray> VersionResource::read(const QString& path)
{
    return findBlock(path);
}

} // namespace bw
