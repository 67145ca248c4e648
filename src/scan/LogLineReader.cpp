#include "scan/LogLineReader.h"

#include <algorithm>
#include <cstring>

namespace bw {

LogLineReader::LogLineReader()
    : m_data(new char[blockSize * 2])
    , m_capacity(blockSize * 2)
{
}

bool LogLineReader::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    // Unbuffered: the blocks go straight into the carry buffer.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    m_device = &m_file;
    m_fileSize = m_file.size();
    return true;
}

void LogLineReader::setDevice(QIODevice* device)
{
    close();
    m_device = device;
    m_fileSize = device->size();
}

void LogLineReader::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_device = nullptr;
    m_begin = m_end = m_scan = 0;
    m_bytesRead = 0;
    m_fileSize = 0;
    m_atEnd = false;
    m_error.clear();
}

bool LogLineReader::fill()
{
    // Keep only the unfinished line; when nothing was handed out since the
    // last fill (one long line) there is nothing to move.
    if (m_begin > 0) {
        const std::size_t rest = m_end - m_begin;
        std::memmove(m_data.get(), m_data.get() + m_begin, rest);
        m_scan -= m_begin;
        m_end = rest;
        m_begin = 0;
    }
    if (m_capacity - m_end < blockSize) {
        const std::size_t capacity = std::max(m_capacity * 2, m_end + blockSize);
        std::unique_ptr<char[]> bigger(new char[capacity]);
        std::memcpy(bigger.get(), m_data.get(), m_end);
        m_data = std::move(bigger);
        m_capacity = capacity;
    }
    char* block = m_data.get() + m_end;
    const qint64 n = m_device->read(block, static_cast<qint64>(blockSize));
    if (n < 0) {
        m_error = m_device->errorString();
        return false;
    }
    if (n == 0) {
        m_atEnd = true;
        return true;
    }
    m_bytesRead += n;
    char* blockEnd = block + n;
    if (std::memchr(block, 0, static_cast<std::size_t>(n)) != nullptr)
        blockEnd = std::remove(block, blockEnd, '\0');
    m_end += static_cast<std::size_t>(blockEnd - block);
    return true;
}

LogLineReader::Result LogLineReader::next(std::string_view& line)
{
    if (!m_device)
        return Result::End;
    for (;;) {
        if (m_scan < m_end) {
            const char* start = m_data.get() + m_scan;
            const void* lf = std::memchr(start, '\n', m_end - m_scan);
            if (lf) {
                const char* lineStart = m_data.get() + m_begin;
                const char* lineEnd = static_cast<const char*>(lf) + 1;
                line = std::string_view(lineStart, static_cast<std::size_t>(lineEnd - lineStart));
                m_begin = m_scan = static_cast<std::size_t>(lineEnd - m_data.get());
                return Result::Line;
            }
            m_scan = m_end;
        }
        if (m_atEnd)
            return Result::End; // an unterminated last line is dropped
        if (!fill())
            return Result::Error;
    }
}

} // namespace bw
