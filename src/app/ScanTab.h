#pragma once

#include "actions/ActionDriver.h"
#include "actions/SaveDialog.h"
#include "app/TabTraits.h"
#include "report_engine/BandReport.h"
#include "session/ScanSession.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QMimeData;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class QTreeView;

namespace bw {

class Prompter;
class RowListModel;
class StatusText;
struct SortState;

// One tab of the main window, a view of its ScanSession: its log box and pick
// button, its list, status text and line counter, and Parse, Continue, Print
// and its action button. Widgets show the session's state and forward clicks
// to it.
class ScanTab : public QWidget {
    Q_OBJECT
public:
    ScanTab(const TabTraits& traits, SortState& sort, Prompter& prompter, QString& lastPickedPath, QWidget* parent = nullptr);
    ~ScanTab() override;

    const TabTraits& traits() const { return m_traits; }
    ScanSession& session() { return m_session; }
    const ScanSession& session() const { return m_session; }
    RowStore& rows() { return m_session.rows(); }
    Scan& scan() { return m_session.scan(); }
    bool scanRunning() const { return m_session.scanRunning(); }

    QLineEdit* logBox() const { return m_logBox; }
    QLineEdit* outputDirectoryBox() const { return m_outputDir; }
    QToolButton* pickButton() const { return m_pick; }
    QToolButton* outputDirectoryButton() const { return m_outputDirButton; }
    QTreeView* list() const { return m_list; }
    RowListModel* model() const { return m_model; }
    StatusText* statusText() const { return m_status; }
    StatusText* lineCounter() const { return m_lineCounter; }
    QProgressBar* progress() const { return m_progress; }
    QPushButton* parseButton() const { return m_parse; }
    QPushButton* continueButton() const { return m_continue; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* actionButton() const { return m_action; }

    // The report that Print previews; made once for the run.
    void setReport(BandReport* report);
    BandReport* report() const { return m_report; }

    // The handlers behind the controls.
    void pickClick();
    void choose(const QString& path);
    void parseClick();
    void continueClick();
    void printClick();
    void actionClick();
    void SpdBOPDirClick();
    // The window's one save dialog, shared by the tabs' exports.
    void setSaveDialog(SaveDialog& dialog) { m_saveDialog = &dialog; }
    ActionDriver& actions() { return m_actions; }
    void columnClick(int column);

signals:
    // Emitted when the scan stops to wait for Continue.
    void scanPaused();
    // Emitted when a scan has ended (log exhausted or failed).
    void scanEnded();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showControls();
    void showSort();
    static QString droppedLog(const QMimeData* mime);

    const TabTraits& m_traits;
    Prompter& m_prompter;
    // The open dialog starts where any tab last picked; the window keeps it.
    QString& m_lastPickedPath;
    ScanSession m_session;
    // Declared after the session, so that a run holding on to the session
    // goes first.
    ActionDriver m_actions{m_session};
    SaveDialog m_ownSaveDialog;
    SaveDialog* m_saveDialog = &m_ownSaveDialog;
    RowListModel* m_model = nullptr;
    QPointer<BandReport> m_report;

    QLineEdit* m_logBox = nullptr;
    QToolButton* m_pick = nullptr;
    QLineEdit* m_outputDir = nullptr;
    QToolButton* m_outputDirButton = nullptr;
    QTreeView* m_list = nullptr;
    StatusText* m_status = nullptr;
    StatusText* m_lineCounter = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_parse = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_action = nullptr;
};

} // namespace bw
