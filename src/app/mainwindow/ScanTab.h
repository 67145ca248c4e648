#pragma once

#include "actions/ActionDriver.h"
#include "actions/SaveLocation.h"
#include "app/mainwindow/RunMessages.h"
#include "app/mainwindow/TabTraits.h"
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

class FindBar;
class Prompter;
class RowListModel;
class RowListView;
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
    QTreeView* list() const;
    RowListView* listView() const { return m_list; }
    FindBar* findBar() const { return m_findBar; }
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
    void onPickClicked();
    void choose(const QString& path);
    void onParseClicked();
    void onContinueClicked();
    void onPrintClicked();
    void onActionClicked();
    // Which form the rescue's import file gives its copies' paths: on the
    // output folder's tip, and in the window's status line when a rescue
    // starts. Again after the mappings change.
    void showImportForm();
    void chooseOutputDirectory();
    // The window's one save dialog, shared by the tabs' exports.
    void setSaveLocation(SaveLocation& dialog) { m_saveLocation = &dialog; }
    ActionDriver& actions() { return m_actions; }
    // The prompter of the tab's action runs, which sums up their failures.
    RunMessages& runMessages() { return m_runMessages; }
    void onColumnClicked(int column);

    // Find: the bar opens with its text selected; next and previous select
    // and show the next matching row, going round the list's end.
    void openFind();
    void closeFind();
    void findNext();
    void findPrevious();

signals:
    // Emitted when the scan stops to wait for Continue.
    void scanPaused();
    // Emitted when a scan has ended (log exhausted or failed).
    void scanEnded();
    // The summary of a run asks for File > Path Mappings.
    void pathMappingsWanted();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showControls();
    void showSort();
    void actionFinished(ActionRun::Outcome outcome);
    void find(int start, bool forward);
    void fitColumns();
    void fitCaptionColumn();
    void setFittedWidth(int column, int width);
    static QString droppedLog(const QMimeData* mime);

    const TabTraits& m_traits;
    Prompter& m_prompter;
    // The open dialog starts where any tab last picked; the window keeps it.
    QString& m_lastPickedPath;
    ScanSession m_session;
    // Declared after the session, so that a run holding on to the session
    // goes first.
    ActionDriver m_actions{m_session};
    RunMessages m_runMessages{m_prompter};
    SaveLocation m_ownSaveLocation;
    SaveLocation* m_saveLocation = &m_ownSaveLocation;
    RowListModel* m_model = nullptr;
    QPointer<BandReport> m_report;

    QLineEdit* m_logBox = nullptr;
    QToolButton* m_pick = nullptr;
    QLineEdit* m_outputDir = nullptr;
    QToolButton* m_outputDirButton = nullptr;
    RowListView* m_list = nullptr;
    FindBar* m_findBar = nullptr;
    // Where focus was before the find bar took it.
    QPointer<QWidget> m_beforeFind;
    // The column that takes the room a wider list gives, and its own width.
    int m_stretchColumn = 0;
    int m_stretchWidth = 0;
    bool m_fitting = false;
    // The longest caption, in bytes, that the first column was fitted to.
    std::size_t m_fittedCaptionLength = 0;
    // A section of the tab's kind was seen in this scan.
    bool m_sawSection = false;
    StatusText* m_status = nullptr;
    StatusText* m_lineCounter = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_parse = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_action = nullptr;
};

} // namespace bw
