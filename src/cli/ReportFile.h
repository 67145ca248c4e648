#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>

namespace bw {

class PageList;
class ScanReport;
class ScanSession;

// --report FILE of the scan verb: the tab's report of the rows listed, as
// Print shows it, at every call of add(). The form follows FILE's extension
// (.pdf, .txt, .csv, .htm, .qrp, any letter case). A "{n}" in FILE makes one
// file per report, n counting from 1; otherwise every report's pages go into
// the one file, written by finish().
class ReportFile {
public:
    enum class Form { Pdf, Text, Csv, Html, PageFile };

    // The form FILE's extension names; nothing for any other.
    static std::optional<Form> formOf(const QString& file);
    // The engine draws with QtGui: the application object it needs, on the
    // offscreen platform when no display is set; nothing when there is an
    // application already. Make it before the session.
    static std::unique_ptr<QCoreApplication> guiApplication();

    // author: the PDF's author, as the preview's Save writes it.
    ReportFile(const ScanSession& session, const QString& file, Form form, QString author);
    ~ReportFile();

    // One report of the rows listed now; false when its file could not be
    // written (the reason in error()).
    bool add();
    int reports() const { return m_reports; }
    bool finish();
    const QString& error() const { return m_error; }

private:
    bool write(const PageList& pages, const QString& path);

    std::unique_ptr<ScanReport> m_report;
    QString m_file;
    Form m_form;
    QString m_author;
    bool m_numbered;
    int m_reports = 0;
    std::unique_ptr<PageList> m_all;
    QString m_error;
};

} // namespace bw
