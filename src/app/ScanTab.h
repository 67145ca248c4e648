#pragma once

#include "app/TabTraits.h"
#include "lists/RowStore.h"
#include "scan/Scan.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

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

// One tab of the main window: its log box and pick button, its list, status
// text and line counter, and Parse, Continue, Print and its action button.
// It drives its scan from the event loop in short slices.
class ScanTab : public QWidget, private ScanHost {
    Q_OBJECT
public:
    // How long one slice of scanning may take before the window gets the
    // event loop back.
    static constexpr int sliceMilliseconds = 10;

    ScanTab(const TabTraits& traits, SortState& sort, Prompter& prompter, QString& lastPickedPath, QWidget* parent = nullptr);
    ~ScanTab() override;

    const TabTraits& traits() const { return m_traits; }
    RowStore& rows() { return m_rows; }
    Scan& scan() { return *m_scan; }
    bool scanRunning() const { return m_scan->state() != Scan::State::Idle; }

    QLineEdit* logBox() const { return m_logBox; }
    QLineEdit* outputDirectoryBox() const { return m_outputDir; }
    QToolButton* pickButton() const { return m_pick; }
    QTreeView* list() const { return m_list; }
    StatusText* statusText() const { return m_status; }
    StatusText* lineCounter() const { return m_lineCounter; }
    QProgressBar* progress() const { return m_progress; }
    QPushButton* parseButton() const { return m_parse; }
    QPushButton* continueButton() const { return m_continue; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* actionButton() const { return m_action; }

    // The handlers behind the controls.
    void pickClick();
    void choose(const QString& path);
    void parseClick();
    void continueClick();
    void printClick();
    void actionClick();
    void columnClick(int column);

signals:
    // The scan locks and unlocks the window (its Close button).
    void closeEnabledChanged(bool enabled);
    // Emitted when the scan stops to wait for Continue.
    void scanPaused();
    // Emitted when a scan has ended (log exhausted or failed).
    void scanEnded();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showStatus(std::string_view text) override;
    void showLineCount(std::int64_t lineCount) override;
    void setControlEnabled(ScanControl control, bool enabled) override;
    void showError(std::string_view message) override;

    void runSlice();
    void updateSortIndicator();
    static QString droppedLog(const QMimeData* mime);

    const TabTraits& m_traits;
    SortState& m_sort;
    Prompter& m_prompter;
    QString& m_lastPickedPath;
    RowStore m_rows;
    std::unique_ptr<LineParser> m_parser;
    std::unique_ptr<Scan> m_scan;
    RowListModel* m_model = nullptr;
    QTimer m_sliceTimer;
    QElapsedTimer m_sinceSettle;

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
