#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bw {

class ReportPage;

// The saved-report file (extension .qrp): a 128-byte header whose
// little-endian 32-bit field at offset 8 holds the page count, then one
// record per page. docs/page-file.md describes every byte.
class PageFile {
public:
    static constexpr int headerSize = 128;
    static constexpr int pageCountOffset = 8;
    static constexpr quint16 version = 1;

    // A header for count pages.
    static QByteArray header(quint32 count);
    // Whether the header is one of ours; its page count when it is.
    static std::optional<quint32> readHeader(const QByteArray& header);
    static void setPageCount(QByteArray& header, quint32 count);

    // A page record's payload (without its length prefix) and back; a
    // payload that is not a whole page gives nothing.
    static QByteArray encodePage(const ReportPage& page);
    static std::optional<ReportPage> decodePage(const QByteArray& payload);
};

} // namespace bw
