#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>
#include <ostream>

namespace bw {

class PageList;
class ScanReport;
class ScanSession;

// --report FILE of the scan verb: the tab's report of the rows listed, as
// Print shows it, at every pause and at the end when rows are listed, or at
// the end of a run that listed none. The form follows FILE's extension
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

    // file must have one of the forms; author: the PDF's author, as the
    // preview's Save writes it.
    ReportFile(const ScanSession& session, const QString& file, QString author);
    ~ReportFile();

    void atPause() { add(); }
    // The scan has stopped reading; its last rows are still listed.
    void atEnd();
    int reports() const { return m_reports; }
    // Writes the one file; false, with the reason on err, when any report
    // could not be written. After the first failure nothing more is tried.
    bool finish(std::ostream& err);

private:
    void add();
    bool write(const PageList& pages, const QString& path);

    std::unique_ptr<ScanReport> m_report;
    QString m_file;
    Form m_form;
    QString m_author;
    bool m_numbered;
    int m_reports = 0;
    bool m_failed = false;
    std::unique_ptr<PageList> m_all;
    QString m_error;
};

} // namespace bw
