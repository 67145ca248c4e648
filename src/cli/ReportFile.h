#pragma once

#include "cli/ReportOutput.h"

#include <QString>

#include <memory>
#include <optional>

namespace bw {

class PageList;

// --report FILE of the scan verb. The form follows FILE's extension
// (.pdf, .txt, .csv, .htm, .qrp, any letter case); a FIFO or terminal gets
// text. A "{n}" in FILE makes one
// file per report, n counting from 1; otherwise every report's pages go into
// the one file, written by finish().
class ReportFile : public ReportOutput {
public:
    enum class Form { Pdf, Text, Csv, Html, PageFile };

    // The form FILE's extension names; text for an existing FIFO or device
    // of any name; nothing for any other.
    static std::optional<Form> formOf(const QString& file);
    // file must have one of the forms; author: the PDF's author, as the
    // preview's Save writes it.
    ReportFile(const ScanSession& session, const QString& file, QString author);
    ~ReportFile() override;

protected:
    bool produce(int n, QString& error) override;
    // Writes the one file.
    bool complete(QString& error) override;

private:
    bool write(const PageList& pages, const QString& path, QString& error);

    QString m_file;
    Form m_form;
    QString m_author;
    bool m_numbered;
    std::unique_ptr<PageList> m_all;
};

} // namespace bw
