#pragma once

#include <functional>

#include "report_engine/ReportPage.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QBuffer;
class QIODevice;
class QTemporaryFile;

namespace bw {

// The pages of a job or of a page file, held in the page file's own form in
// one stream: the 128-byte header, then the page records. The stream lives
// in memory until it passes memoryLimit bytes and in a temporary file after.
class PageList {
public:
    static constexpr qint64 memoryLimit = 100000;

    PageList();
    ~PageList();
    PageList(const PageList&) = delete;
    PageList& operator=(const PageList&) = delete;

    // Back to a header and no pages, in memory.
    void clear();
    // Replaces the pages with a page file's; on failure the list is as it
    // was and error says why.
    // alive, when given, is called every few thousand pages, so that a
    // window can keep painting while a large file loads.
    bool loadFromFile(const QString& path, QString* error = nullptr, const std::function<void()>& alive = {});
    bool saveToFile(const QString& path, QString* error = nullptr) const;

    int pageCount() const { return static_cast<int>(m_records.size()); }
    // Page i, counted from 1; nothing outside 1 to pageCount().
    std::optional<ReportPage> page(int i) const;
    bool append(const ReportPage& page);
    // Takes the pages of another list.
    bool appendAll(const PageList& other);

    // The stream holding the header and the pages.
    QIODevice& stream() const { return *m_stream; }
    bool inMemory() const { return m_file == nullptr; }

private:
    struct Record {
        qint64 offset; // of the payload
        quint32 size;
    };
    bool appendRecord(const QByteArray& payload);
    QByteArray readRecord(const Record& r) const;
    bool writeAtEnd(const QByteArray& bytes);
    void writeCount();

    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QTemporaryFile> m_file;
    QIODevice* m_stream = nullptr;
    std::vector<Record> m_records;
};

} // namespace bw
