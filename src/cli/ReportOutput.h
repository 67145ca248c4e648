#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <ostream>

namespace bw {

class ScanReport;
class ScanSession;

// Where the scan verb sends the tab's report of the rows listed, as Print
// shows it: at every pause, and at the end when rows are listed or when the
// run listed none at all. After the first failure nothing more is tried.
class ReportOutput {
public:
    // The engine draws with QtGui: the application object it needs, on the
    // offscreen platform when no display is set; nothing when there is an
    // application already. Make it before the session.
    static std::unique_ptr<QCoreApplication> guiApplication();

    explicit ReportOutput(const ScanSession& session);
    virtual ~ReportOutput();

    void atPause() { add(); }
    // The scan has stopped reading; its last rows are still listed.
    void atEnd();
    int reports() const { return m_reports; }
    // Completes what is still open; false, with the reason on err, when any
    // report failed.
    bool finish(std::ostream& err);

protected:
    ScanReport& report() const { return *m_report; }
    // One report of the rows listed now, the n-th from 1; false with the
    // reason in error.
    virtual bool produce(int n, QString& error) = 0;
    // At the end, when nothing failed.
    virtual bool complete(QString& /*error*/) { return true; }

private:
    void add();

    std::unique_ptr<ScanReport> m_report;
    int m_reports = 0;
    bool m_failed = false;
    QString m_error;
};

} // namespace bw
