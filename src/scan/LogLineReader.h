#pragma once

#include "base/MarkerSet.h"
#include "scan/LineFields.h"

#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace bw {

// Cuts a log into lines: blocks of 65,536 bytes are appended to a carry
// buffer and lines are cut from it, so a line is never read twice. A line
// ends with and includes its line feed; a last line without one is never
// delivered. Zero bytes are dropped and the text around them kept. Of a line
// longer than lineCap only its first lineCap bytes and its line feed are
// kept, so that memory stays bounded whatever the input: no marker or field
// lies that far into a line.
//
// Reading, cutting, the search for the parser's markers and the parser's
// prepare() run ahead on a worker thread, in chunks of whole lines (by up to
// a sixteenth of the log, between a few chunks and about 32 MiB); the scan
// itself, and everything it touches, stays on the caller's thread. A line is
// a view into its chunk, valid until the next call of next().
class LogLineReader {
public:
    static constexpr std::size_t blockSize = 65536;
    static constexpr std::size_t lineCap = std::size_t(16) << 20;
    // Why a scan stops when its log shrinks under it.
    static constexpr const char* truncatedReason = "the log was truncated while it was read";

    // NoLine: nothing to hand out yet (a chunk was used up, or the deadline
    // passed while waiting for the next one); lineNumber() has moved on.
    enum class Result { Line, NoLine, End, Error };
    using Clock = std::chrono::steady_clock;

    LogLineReader() = default;
    ~LogLineReader();
    LogLineReader(const LogLineReader&) = delete;
    LogLineReader& operator=(const LogLineReader&) = delete;

    // Opens for reading only, leaving the file open to other processes.
    // Only regular files and FIFOs are logs: a directory, a device or a
    // socket is refused with a reason, since reading one would fail, never
    // end or wait for ever.
    bool open(const QString& path);
    // The same for a name given as the platform's bytes.
    bool openNative(const QByteArray& nativePath);
    // Reads from a device that is already open (tests inject failures so).
    void setDevice(QIODevice* device);
    // The markers to look for in every line, before the first next(). With
    // onlyMarked, lines holding none of them are counted but not delivered.
    void setMarkers(const MarkerSet* markers, bool onlyMarked = false)
    {
        m_markers = markers;
        m_onlyMarked = markers && onlyMarked;
    }
    // Called on the worker for every marked line, with its markers; the
    // fields it fills go beside the line when it returns true (fields(),
    // peekLookupHash()). It must read nothing but the line.
    using Prepare = std::function<bool(std::string_view line, MarkerSet::Mask markers, LineFields& fields)>;
    void setPrepare(Prepare prepare) { m_prepare = std::move(prepare); }
    void close();

    Result next(std::string_view& line, Clock::time_point deadline = Clock::time_point::max());
    // The lookup hash of the line ahead lines after the one next() gave
    // last, when the chunk at hand holds that line.
    bool peekLookupHash(std::size_t ahead, std::uint64_t& hash) const
    {
        if (!m_current || m_nextLine + ahead > m_current->lines.size() || ahead == 0)
            return false;
        const std::uint32_t at = m_current->lines[m_nextLine + ahead - 1].fields;
        hash = at == noFields ? 0 : m_current->fields[at].lookupHash;
        return true;
    }
    // The markers found in the line next() gave last (with setMarkers).
    MarkerSet::Mask mask() const { return m_mask; }
    // What setPrepare's function cut out of that line; nullptr without.
    const LineFields* fields() const { return m_fields; }
    const MarkerSet* markers() const { return m_markers; }
    // The number of the line next() gave last, counting from 1; after the
    // end or a failure, the number of complete lines read.
    std::int64_t lineNumber() const { return m_lineNumber; }

    QString errorString() const { return m_error; }
    // How far into the log the lines handed out so far reach.
    std::int64_t bytesRead() const { return m_bytesRead; }
    std::int64_t fileSize() const { return m_fileSize; }

private:
    // Bytes of a chunk; growing it leaves the new bytes as they are, since a
    // read fills them at once.
    class ByteBuffer {
    public:
        char* data() { return m_data.get(); }
        const char* data() const { return m_data.get(); }
        std::size_t size() const { return m_size; }
        void resize(std::size_t size);
        void reserve(std::size_t capacity);
        void assign(const char* from, std::size_t size);
        void swap(ByteBuffer& other) noexcept;

    private:
        std::unique_ptr<char[]> m_data;
        std::size_t m_size = 0;
        std::size_t m_capacity = 0;
    };

    static constexpr std::uint32_t noFields = ~std::uint32_t(0);
    struct LineRef {
        std::size_t begin;
        std::size_t length;
        MarkerSet::Mask mask;
        std::uint32_t fields; // index into Chunk::fields, or noFields
        std::int64_t number;
    };
    struct Chunk {
        ByteBuffer data;
        std::vector<LineRef> lines;
        std::vector<LineFields> fields; // of the lines that have them
        std::int64_t rawBytes = 0; // bytes read from the device, zero bytes included
        std::int64_t linesThrough = 0; // complete lines up to the end of this chunk
        bool last = false;
        bool failed = false;
        QString error;
    };

    void produce();
    std::unique_ptr<Chunk> takeFreeChunk();

    QFile m_file;
    QIODevice* m_device = nullptr;
    // A regular file must still be as long as it was when opened once its
    // end is reached; otherwise it was cut short while it was read.
    bool m_checkLength = false;
    const MarkerSet* m_markers = nullptr;
    bool m_onlyMarked = false;
    Prepare m_prepare;

    // The reader's own side.
    std::unique_ptr<Chunk> m_current;
    std::size_t m_nextLine = 0;
    MarkerSet::Mask m_mask = 0;
    const LineFields* m_fields = nullptr;
    std::int64_t m_lineNumber = 0;
    std::int64_t m_bytesRead = 0;
    std::int64_t m_bytesBeforeChunk = 0;
    std::int64_t m_fileSize = 0;
    QString m_error;
    bool m_started = false;

    // Shared with the worker.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Chunk>> m_ready;
    std::size_t m_readyBytes = 0; // of the lines in m_ready
    std::size_t m_chunksAhead = 3; // in flight at most, set as the log opens
    std::vector<std::unique_ptr<Chunk>> m_free;
    bool m_stop = false;
    std::thread m_worker;
};

} // namespace bw
