#pragma once

#include "report_engine/PageSink.h"

#include <QByteArray>
#include <QString>

namespace bw {

// An output that a report runs into, page by page, to write one file.
class ExportFilter : public PageSink {
public:
    explicit ExportFilter(QString fileName)
        : m_fileName(std::move(fileName))
    {
    }

    const QString& fileName() const { return m_fileName; }
    // Why finish() failed.
    const QString& errorString() const { return m_error; }

protected:
    // Writes the whole file at once, or leaves any earlier file as it was.
    bool writeFile(const QByteArray& bytes);
    void setErrorString(const QString& error) { m_error = error; }

private:
    QString m_fileName;
    QString m_error;
};

} // namespace bw
