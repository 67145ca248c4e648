#include "report_engine/PageFile.h"

#include "report_engine/ReportPage.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <cmath>

namespace bw {

namespace {

constexpr char magic[4] = {'B', 'W', 'Q', 'R'};

QDataStream& prepared(QDataStream& stream)
{
    stream.setByteOrder(QDataStream::LittleEndian);
    stream.setFloatingPointPrecision(QDataStream::DoublePrecision);
    return stream;
}

void writeText(QDataStream& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    out << static_cast<quint32>(utf8.size());
    out.writeRawData(utf8.constData(), static_cast<int>(utf8.size()));
}

bool readText(QDataStream& in, qint64 left, QString& text)
{
    quint32 size = 0;
    in >> size;
    if (in.status() != QDataStream::Ok || size > left)
        return false;
    QByteArray utf8(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (in.readRawData(utf8.data(), static_cast<int>(size)) != static_cast<int>(size))
        return false;
    text = QString::fromUtf8(utf8);
    return true;
}

bool finite(double v)
{
    return std::isfinite(v);
}

} // namespace

QByteArray PageFile::header(quint32 count)
{
    QByteArray h(headerSize, '\0');
    std::copy(std::begin(magic), std::end(magic), h.data());
    qToLittleEndian<quint16>(version, h.data() + 4);
    setPageCount(h, count);
    return h;
}

std::optional<quint32> PageFile::readHeader(const QByteArray& header)
{
    if (header.size() < headerSize || !header.startsWith(QByteArray(magic, 4)))
        return std::nullopt;
    if (qFromLittleEndian<quint16>(header.constData() + 4) != version)
        return std::nullopt;
    return qFromLittleEndian<quint32>(header.constData() + pageCountOffset);
}

void PageFile::setPageCount(QByteArray& header, quint32 count)
{
    qToLittleEndian<quint32>(count, header.data() + pageCountOffset);
}

QByteArray PageFile::encodePage(const ReportPage& page)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    prepared(out);
    out << page.sizeMm().width() << page.sizeMm().height() << static_cast<quint32>(page.texts().size());
    for (const PageText& t : page.texts()) {
        out << t.rectMm.left() << t.rectMm.top() << t.rectMm.width() << t.rectMm.height() << t.pointSize;
        const quint8 flags = (t.bold ? 1 : 0) | (t.italic ? 2 : 0) | (t.wrap ? 4 : 0);
        out << flags << static_cast<quint8>(t.align);
        writeText(out, t.family);
        writeText(out, t.text);
    }
    return payload;
}

std::optional<ReportPage> PageFile::decodePage(const QByteArray& payload)
{
    QDataStream in(payload);
    prepared(in);
    double width = 0, height = 0;
    quint32 count = 0;
    in >> width >> height >> count;
    // Each text takes at least 50 bytes; a larger count is a damaged record.
    if (in.status() != QDataStream::Ok || !finite(width) || !finite(height) || width < 0 || height < 0
        || count > static_cast<quint64>(payload.size()) / 50)
        return std::nullopt;
    ReportPage page(QSizeF(width, height));
    for (quint32 i = 0; i < count; ++i) {
        PageText t;
        double x = 0, y = 0, w = 0, h = 0;
        quint8 flags = 0, align = 0;
        in >> x >> y >> w >> h >> t.pointSize >> flags >> align;
        if (in.status() != QDataStream::Ok || align > 2 || flags > 7 || !finite(x) || !finite(y) || !finite(w)
            || !finite(h) || !finite(t.pointSize) || t.pointSize <= 0 || t.pointSize > 1000)
            return std::nullopt;
        t.rectMm = QRectF(x, y, w, h);
        t.bold = flags & 1;
        t.italic = flags & 2;
        t.wrap = flags & 4;
        t.align = static_cast<PageText::Align>(align);
        const qint64 left = payload.size() - in.device()->pos();
        if (!readText(in, left, t.family) || !readText(in, payload.size() - in.device()->pos(), t.text))
            return std::nullopt;
        page.add(std::move(t));
    }
    if (!in.atEnd())
        return std::nullopt;
    return page;
}

} // namespace bw
