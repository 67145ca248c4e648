#include "scan/LogLineReader.h"

#include "base/NativeFile.h"
#include "base/Prefetch.h"
#include "base/Text.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace bw {

namespace {

// Enough lines per hand-over to keep locking rare. Read ahead, up to about
// 32 MiB of lines: enough to read on while the scan's thread sorts and
// writes a large section at its end (some tens of milliseconds), and a bound
// on memory whatever the log, long lines included. A log of less than half a
// gigabyte gets less, a sixteenth of its size but a few chunks at least, so
// that the memory first taken for reading ahead stays a small share of the
// scan. A pipe's short reads make small chunks, each with a block's room, so
// their number is bounded too.
constexpr std::size_t chunkTarget = 16 * LogLineReader::blockSize;
constexpr std::size_t readAheadBytes = 32 * chunkTarget;
constexpr std::size_t fewestChunksAhead = 3;
constexpr std::size_t mostChunksAhead = 32;

std::size_t chunksAheadFor(std::int64_t logSize)
{
    const auto share = static_cast<std::size_t>(std::max<std::int64_t>(logSize, 0) / 16) / chunkTarget;
    return std::clamp(share, fewestChunksAhead, mostChunksAhead);
}

} // namespace

void LogLineReader::ByteBuffer::resize(std::size_t size)
{
    if (size > m_capacity)
        reserve(std::max(size, m_capacity * 2));
    m_size = size;
}

void LogLineReader::ByteBuffer::reserve(std::size_t capacity)
{
    if (capacity <= m_capacity)
        return;
    std::unique_ptr<char[]> bigger(new char[capacity]);
    if (m_size > 0)
        std::memcpy(bigger.get(), m_data.get(), m_size);
    m_data = std::move(bigger);
    m_capacity = capacity;
}

void LogLineReader::ByteBuffer::assign(const char* from, std::size_t size)
{
    resize(size);
    if (size > 0)
        std::memmove(m_data.get(), from, size);
}

void LogLineReader::ByteBuffer::swap(ByteBuffer& other) noexcept
{
    std::swap(m_data, other.m_data);
    std::swap(m_size, other.m_size);
    std::swap(m_capacity, other.m_capacity);
}

LogLineReader::~LogLineReader()
{
    close();
}

bool LogLineReader::open(const QString& path)
{
    return openNative(QFile::encodeName(path));
}

bool LogLineReader::openNative(const QByteArray& nativePath)
{
    close();
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_type type = fs::status(fs::path(nativePath.toStdString()), error).type();
    if (type == fs::file_type::directory) {
        m_error = QStringLiteral("Is a directory");
        return false;
    }
    if (type == fs::file_type::character || type == fs::file_type::block || type == fs::file_type::socket) {
        m_error = type == fs::file_type::socket ? QStringLiteral("Is a socket, not a log file")
                                                : QStringLiteral("Is a device, not a log file");
        return false;
    }
    // Unbuffered: the blocks go straight into the chunks.
    if (!openNativeForReading(m_file, nativePath, m_error))
        return false;
    m_device = &m_file;
    m_fileSize = m_file.size();
    m_chunksAhead = chunksAheadFor(m_fileSize);
    m_checkLength = type == fs::file_type::regular;
    return true;
}

void LogLineReader::setDevice(QIODevice* device)
{
    close();
    m_device = device;
    m_fileSize = device->size();
    m_chunksAhead = chunksAheadFor(m_fileSize);
}

void LogLineReader::close()
{
    if (m_worker.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_worker.join();
    }
    if (m_file.isOpen())
        m_file.close();
    m_device = nullptr;
    m_checkLength = false;
    m_ready.clear();
    m_readyBytes = 0;
    m_current.reset();
    m_nextLine = 0;
    m_mask = 0;
    m_fields = nullptr;
    m_lineNumber = 0;
    m_bytesRead = 0;
    m_bytesBeforeChunk = 0;
    m_fileSize = 0;
    m_error.clear();
    m_started = false;
    m_stop = false;
}

std::unique_ptr<LogLineReader::Chunk> LogLineReader::takeFreeChunk()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] {
        return m_stop || (m_ready.size() < m_chunksAhead && m_readyBytes < readAheadBytes);
    });
    if (m_stop)
        return nullptr;
    std::unique_ptr<Chunk> chunk;
    if (!m_free.empty()) {
        chunk = std::move(m_free.back());
        m_free.pop_back();
    } else {
        chunk = std::make_unique<Chunk>();
    }
    return chunk;
}

void LogLineReader::produce()
{
    ByteBuffer carry; // the unfinished last line of the previous chunk
    std::int64_t lines = 0;
    std::int64_t total = 0; // bytes read from the device
    bool overLong = false;  // passing over the rest of a line beyond lineCap
    std::vector<std::size_t> ends;      // of the lines a block completes, from the first one's start
    std::vector<MarkerSet::Mask> masks; // their markers
    for (;;) {
        std::unique_ptr<Chunk> chunk = takeFreeChunk();
        if (!chunk)
            return;
        chunk->lines.clear();
        chunk->fields.clear();
        chunk->rawBytes = 0;
        chunk->data.swap(carry);
        ByteBuffer& data = chunk->data;
        // Room for a whole chunk at once: a new chunk (a large log's reader
        // makes some tens) would otherwise grow through five buffers, each
        // fresh memory to the system.
        data.reserve(chunkTarget + blockSize);
        std::size_t lineStart = 0;
        std::size_t scanFrom = data.size(); // the carried text holds no line feed
        for (;;) {
            const std::size_t old = data.size();
            data.resize(old + blockSize);
            QString readError;
            const qint64 n = m_device == &m_file
                                 ? readAvailable(m_file, data.data() + old, static_cast<qint64>(blockSize), readError)
                                 : m_device->read(data.data() + old, static_cast<qint64>(blockSize));
            if (n <= 0) {
                data.resize(old);
                chunk->last = true;
                if (n < 0) {
                    chunk->failed = true;
                    chunk->error = m_device == &m_file ? readError : m_device->errorString();
                } else if (m_checkLength && total < m_fileSize) {
                    chunk->failed = true;
                    chunk->error = QString::fromLatin1(truncatedReason);
                }
                break;
            }
            chunk->rawBytes += n;
            total += n;
            char* block = data.data() + old;
            char* blockEnd = block + n;
            if (overLong) {
                // Keep the line feed that ends the line, drop what lies before it.
                auto* lf = static_cast<char*>(std::memchr(block, '\n', static_cast<std::size_t>(n)));
                if (!lf) {
                    data.resize(old);
                    continue;
                }
                overLong = false;
                const auto rest = blockEnd - lf;
                std::memmove(block, lf, static_cast<std::size_t>(rest));
                blockEnd = block + rest;
            }
            if (std::memchr(block, 0, static_cast<std::size_t>(blockEnd - block)) != nullptr)
                blockEnd = std::remove(block, blockEnd, '\0');
            data.resize(static_cast<std::size_t>(blockEnd - data.data()));

            // The lines the block completes, cut and searched for the markers
            // in one pass, from the start of the first: a line without its
            // line feed yet is searched once it has one.
            const char* base = data.data();
            ends.clear();
            masks.clear();
            if (std::memchr(base + scanFrom, '\n', data.size() - scanFrom) != nullptr) {
                const std::string_view text(base + lineStart, data.size() - lineStart);
                if (m_markers) {
                    m_markers->cutLines(text, ends, masks);
                } else {
                    lineEnds(text, ends);
                    masks.assign(ends.size(), 0);
                }
            }
            const std::size_t first = lineStart;
            for (std::size_t j = 0; j < ends.size(); ++j) {
                const std::size_t end = first + ends[j];
                const MarkerSet::Mask mask = masks[j];
                ++lines;
                if (mask != 0 || !m_onlyMarked) {
                    const std::string_view line(base + lineStart, end - lineStart);
                    std::uint32_t fields = noFields;
                    if (mask != 0 && m_prepare) {
                        if (m_prepare(line, mask, chunk->fields.emplace_back()))
                            fields = static_cast<std::uint32_t>(chunk->fields.size() - 1);
                        else
                            chunk->fields.pop_back();
                    }
                    chunk->lines.push_back({lineStart, line.size(), mask, fields, lines});
                }
                lineStart = end;
            }
            if (data.size() - lineStart > lineCap) {
                data.resize(lineStart + lineCap);
                overLong = true;
            }
            scanFrom = data.size();
            // A short read means a pipe has no more for now: hand over the
            // lines it gave, so that a slow writer's lines are seen as they come.
            if ((data.size() >= chunkTarget || n < static_cast<qint64>(blockSize)) && lineStart > 0)
                break;
        }
        chunk->linesThrough = lines;
        // An unterminated last line is never delivered.
        if (!chunk->last)
            carry.assign(data.data() + lineStart, data.size() - lineStart);
        data.resize(lineStart);
        const bool last = chunk->last;
        {
            std::lock_guard lock(m_mutex);
            m_readyBytes += chunk->data.size();
            m_ready.push_back(std::move(chunk));
        }
        m_changed.notify_all();
        if (last)
            return;
    }
}

LogLineReader::Result LogLineReader::next(std::string_view& line, Clock::time_point deadline)
{
    if (!m_device)
        return Result::End;
    if (!m_started) {
        m_started = true;
        m_worker = std::thread([this] { produce(); });
    }
    for (;;) {
        if (m_current) {
            if (m_nextLine < m_current->lines.size()) {
                // The reader may be megabytes ahead, so a line's bytes have
                // left the caches by its turn: those of a line a few ahead
                // start loading now, the start of a long one.
                constexpr std::size_t loadAhead = 6;
                if (m_nextLine + loadAhead < m_current->lines.size()) {
                    const LineRef& ahead = m_current->lines[m_nextLine + loadAhead];
                    prefetch(m_current->data.data() + ahead.begin, std::min<std::size_t>(ahead.length, 256));
                }
                const LineRef& ref = m_current->lines[m_nextLine++];
                line = std::string_view(m_current->data.data() + ref.begin, ref.length);
                m_mask = ref.mask;
                m_fields = ref.fields == noFields ? nullptr : &m_current->fields[ref.fields];
                m_lineNumber = ref.number;
                m_bytesRead = m_bytesBeforeChunk + static_cast<std::int64_t>(ref.begin + ref.length);
                return Result::Line;
            }
            m_fields = nullptr;
            m_lineNumber = m_current->linesThrough;
            m_bytesRead = m_bytesBeforeChunk += m_current->rawBytes;
            if (m_current->last) {
                if (m_current->failed) {
                    m_error = m_current->error;
                    return Result::Error;
                }
                return Result::End;
            }
            {
                std::lock_guard lock(m_mutex);
                m_free.push_back(std::move(m_current));
            }
            // Lines passed over count too: let the caller show them and
            // look at its clock.
            return Result::NoLine;
        }
        {
            std::unique_lock lock(m_mutex);
            const auto ready = [this] { return !m_ready.empty(); };
            if (deadline == Clock::time_point::max())
                m_changed.wait(lock, ready);
            else if (!m_changed.wait_until(lock, deadline, ready))
                return Result::NoLine;
            m_current = std::move(m_ready.front());
            m_ready.pop_front();
            m_readyBytes -= m_current->data.size();
        }
        m_changed.notify_all();
        m_nextLine = 0;
    }
}

} // namespace bw
