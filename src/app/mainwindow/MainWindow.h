#pragma once

#include "actions/SaveLocation.h"
#include "base/PathMappings.h"
#include "lists/SortState.h"
#include "report_engine/ExportFilterList.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;

namespace bw {

class FolderBrowser;
class Prompter;
class ScanTab;
class WindowPreviewOpener;

// The program's working window: four tabs, one per kind of check, a Close
// button that is also the running-scan lock, and a status bar for hints.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int tabCount = 4;

    // userName: the user's account name as start-up read it, the author of
    // the PDFs its previews save.
    explicit MainWindow(Prompter& prompter, QString userName = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    ScanTab* tab(int index) const { return m_tabs[static_cast<std::size_t>(index)]; }
    ScanTab* activeTab() const;
    QTabWidget* tabWidget() const { return m_tabWidget; }
    QPushButton* closeButton() const { return m_closeButton; }
    QLabel* hintPanel() const { return m_hintPanel; }
    SortState& sortState() { return m_sort; }
    FolderBrowser* folderBrowser() const { return m_folderBrowser; }
    // Opens the previews of the window's reports until the window closes;
    // nullptr then, so that they show the engine's standard preview, which
    // reaches nothing of this window.
    WindowPreviewOpener* previewOpener() const { return m_previewOpener.get(); }

    // Whether the active tab may change now.
    bool canLeaveTab() const;
    // No scan runs or waits: the window may close.
    bool closeAllowed() const;

    void onCloseClicked();
    void onExitTriggered();
    void onAboutTriggered();
    // File > Path Mappings...: the dialog, then the mappings kept and used.
    void onPathMappingsTriggered();
    const PathMappings& pathMappings() const { return m_mappings; }
    // File > Compare Contents Logs...: the comparison, beside the tabs.
    void openContentsCompare();
    void setPathMappings(const PathMappings& mappings);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The Close button and the other tabs follow the scans.
    void showLocks();
    void createWidgets();

    Prompter& m_prompter;
    std::unique_ptr<WindowPreviewOpener> m_previewOpener;
    SortState m_sort;
    QString m_lastPickedPath; // the open dialog starts where it was left
    SaveLocation m_saveLocation;  // so does the exports' save dialog
    PathMappings m_mappings;
    QTabWidget* m_tabWidget = nullptr;
    QPushButton* m_closeButton = nullptr;
    QLabel* m_hintPanel = nullptr;
    // The window's prompter finds it by name to choose folders.
    FolderBrowser* m_folderBrowser = nullptr;
    int m_activeIndex = 0;
    std::array<ScanTab*, tabCount> m_tabs{};
    // The export filters the preview offers, for as long as the window lives.
    std::vector<ExportFilterList::Registration> m_exportFilters;
};

} // namespace bw
