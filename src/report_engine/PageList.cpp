#include "report_engine/PageList.h"

#include "base/ExportFile.h"
#include "report_engine/PageFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QtEndian>

namespace bw {

namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString damaged(const QString& path)
{
    return QStringLiteral("%1 is not a report file, or it is damaged.").arg(QDir::toNativeSeparators(path));
}

} // namespace

PageList::PageList()
{
    clear();
}

PageList::~PageList() = default;

void PageList::clear()
{
    m_file.reset();
    m_buffer = std::make_unique<QBuffer>();
    m_buffer->open(QIODevice::ReadWrite);
    m_stream = m_buffer.get();
    m_records.clear();
    m_buffer->write(PageFile::header(0));
}

bool PageList::writeAtEnd(const QByteArray& bytes)
{
    if (!m_file && m_stream->size() + bytes.size() > memoryLimit) {
        // Large reports go to disk; if no temporary file can be made they
        // stay in memory rather than lose pages.
        auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/QRPXXXXXX"));
        if (file->open() && file->write(m_buffer->data()) == m_buffer->size()) {
            m_file = std::move(file);
            m_stream = m_file.get();
            m_buffer.reset();
        }
    }
    if (!m_stream->seek(m_stream->size()))
        return false;
    return m_stream->write(bytes) == bytes.size();
}

void PageList::writeCount()
{
    // The header always tells how many pages follow.
    char count[4];
    qToLittleEndian<quint32>(static_cast<quint32>(m_records.size()), count);
    if (m_stream->seek(PageFile::pageCountOffset))
        m_stream->write(count, 4);
}

bool PageList::appendRecord(const QByteArray& payload)
{
    QByteArray record(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(payload.size()), record.data());
    record += payload;
    const qint64 at = m_stream->size();
    if (!writeAtEnd(record))
        return false;
    m_records.push_back({at + 4, static_cast<quint32>(payload.size())});
    writeCount();
    return true;
}

bool PageList::append(const ReportPage& page)
{
    return appendRecord(PageFile::encodePage(page));
}

bool PageList::appendAll(const PageList& other)
{
    for (const Record& r : other.m_records) {
        if (!appendRecord(other.readRecord(r)))
            return false;
    }
    return true;
}

QByteArray PageList::readRecord(const Record& r) const
{
    if (!m_stream->seek(r.offset))
        return {};
    return m_stream->read(r.size);
}

std::optional<ReportPage> PageList::page(int i) const
{
    if (i < 1 || i > pageCount())
        return std::nullopt;
    return PageFile::decodePage(readRecord(m_records[static_cast<std::size_t>(i - 1)]));
}

bool PageList::loadFromFile(const QString& path, QString* error, const std::function<void()>& alive)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const std::optional<quint32> count = PageFile::readHeader(file.read(PageFile::headerSize));
    if (!count) {
        setError(error, damaged(path));
        return false;
    }
    // Read into a list of its own, so that a damaged file leaves this one
    // as it was; every page must read back whole. Records go over in blocks:
    // a write per page made a file of a million pages take seconds.
    PageList loaded;
    QByteArray block;
    const auto flush = [&] {
        if (block.isEmpty())
            return true;
        const bool written = loaded.writeAtEnd(block);
        block.clear();
        return written;
    };
    qint64 end = loaded.m_stream->size();
    for (quint32 i = 0; i < *count; ++i) {
        const QByteArray size = file.read(4);
        if (size.size() != 4) {
            setError(error, damaged(path));
            return false;
        }
        const quint32 n = qFromLittleEndian<quint32>(size.constData());
        if (n > file.size() - file.pos()) {
            setError(error, damaged(path));
            return false;
        }
        const QByteArray payload = file.read(n);
        if (payload.size() != static_cast<qsizetype>(n) || !PageFile::decodePage(payload)) {
            setError(error, damaged(path));
            return false;
        }
        if (alive && (i & 4095) == 4095)
            alive();
        block += size;
        block += payload;
        loaded.m_records.push_back({end + 4, n});
        end += 4 + qint64(n);
        if (block.size() >= 65536 && !flush()) {
            setError(error, QStringLiteral("Could not hold the pages of %1.").arg(QDir::toNativeSeparators(path)));
            return false;
        }
    }
    if (!flush()) {
        setError(error, QStringLiteral("Could not hold the pages of %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!file.atEnd()) {
        setError(error, damaged(path));
        return false;
    }
    loaded.writeCount();
    m_buffer = std::move(loaded.m_buffer);
    m_file = std::move(loaded.m_file);
    m_stream = loaded.m_stream;
    m_records = std::move(loaded.m_records);
    loaded.clear();
    return true;
}

bool PageList::saveToFile(const QString& path, QString* error) const
{
    ExportFile out(path);
    if (!out.open()) {
        setError(error, out.errorText());
        return false;
    }
    if (!m_stream->seek(0)) {
        setError(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), m_stream->errorString()));
        return false;
    }
    while (!m_stream->atEnd()) {
        const QByteArray block = m_stream->read(65536);
        if (block.isEmpty()) {
            // The pages' own stream failed: the file would be cut.
            out.discard();
            setError(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), m_stream->errorString()));
            return false;
        }
        if (!out.write(std::string_view(block.constData(), static_cast<std::size_t>(block.size())))) {
            setError(error, out.errorText());
            return false;
        }
    }
    if (!out.commit()) {
        setError(error, out.errorText());
        return false;
    }
    return true;
}

} // namespace bw
