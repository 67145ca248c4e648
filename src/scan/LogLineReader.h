#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <string_view>

namespace bw {

// Cuts a log into lines: blocks of 65,536 bytes are appended to a carry
// buffer and lines are cut from it, so a line may be of any length and is
// never read twice. A line ends with and includes its line feed; a last line
// without one is never delivered. Zero bytes are dropped and the text around
// them kept. Lines are views into the buffer, valid until the next call.
class LogLineReader {
public:
    static constexpr std::size_t blockSize = 65536;

    enum class Result { Line, End, Error };

    LogLineReader();

    // Opens for reading only, leaving the file open to other processes.
    bool open(const QString& path);
    void close();
    Result next(std::string_view& line);

    QString errorString() const { return m_error; }
    std::int64_t bytesRead() const { return m_bytesRead; }
    std::int64_t fileSize() const { return m_fileSize; }

    // For tests: read from a device that is already open.
    void setDevice(QIODevice* device);

private:
    bool fill();

    QFile m_file;
    QIODevice* m_device = nullptr;
    std::unique_ptr<char[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_begin = 0; // first byte not yet handed out
    std::size_t m_end = 0;   // end of the carried text
    std::size_t m_scan = 0;  // where the search for the next line feed goes on
    std::int64_t m_bytesRead = 0;
    std::int64_t m_fileSize = 0;
    bool m_atEnd = false;
    QString m_error;
};

} // namespace bw
