#pragma once

#include "report_engine/PageSink.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <string_view>

namespace bw {

class ExportFile;

// An output that a report runs into, page by page, to write one file.
class ExportFilter : public PageSink {
public:
    explicit ExportFilter(QString fileName);
    ~ExportFilter() override;

    const QString& fileName() const { return m_fileName; }
    // Why finish() failed.
    const QString& errorString() const { return m_error; }

protected:
    // Writes the whole file at once, or leaves any earlier file as it was.
    bool writeFile(const QByteArray& bytes);
    // The same file written as the pages come, so that memory does not grow
    // with the report: open, any number of writes, then commit. The first
    // failure is kept for errorString(), and the earlier file stays.
    bool openStream();
    bool writeStream(std::string_view bytes);
    bool commitStream();
    void setErrorString(const QString& error) { m_error = error; }

private:
    QString m_fileName;
    QString m_error;
    std::unique_ptr<ExportFile> m_stream;
};

} // namespace bw
