#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace bw {

class ExportFilter;
class PreviewControl;
class Prompter;
class PrintJob;

// The program's report preview: a toolbar of page, zoom, print, open, save
// and close buttons over the page view, and a status bar with the job's
// status, the page shown and a progress bar. It frees itself on close.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    ReportPreviewWindow(PrintJob* job, Prompter& prompter, QString currentUserName, QWidget* parent = nullptr);
    ~ReportPreviewWindow() override;

    PrintJob* job() const;
    PreviewControl* preview() const { return m_preview; }
    const QString& statusText() const { return m_statusText; }
    QLabel* statusPanel(int index) const;
    QProgressBar* progressBar() const { return m_progressBar; }

    QPushButton* printButton() const { return m_printButton; }
    QPushButton* firstPageButton() const { return m_firstPageButton; }
    QPushButton* previousPageButton() const { return m_previousPageButton; }
    QPushButton* nextPageButton() const { return m_nextPageButton; }
    QPushButton* lastPageButton() const { return m_lastPageButton; }
    QPushButton* zoomInButton() const { return m_zoomInButton; }
    QPushButton* zoomOutButton() const { return m_zoomOutButton; }
    QPushButton* openButton() const { return m_openButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* closeButton() const { return m_closeButton; }

    void onPrintClicked();
    void onFirstPageClicked();
    void onPreviousPageClicked();
    void onNextPageClicked();
    void onLastPageClicked();
    void onZoomInClicked();
    void onZoomOutClicked();
    void onOpenClicked();
    void onSaveClicked();
    void onCloseClicked();

    void refreshNavigation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createWidgets();
    void fitToWorkArea();
    // Handles the window's keys before its controls see them.
    bool handleKey(const QKeyEvent& key);
    void onPageAvailable(int count);
    void onProgressUpdate(int percent);
    void prepareFirstPage();
    void showStatusPanels();
    void scrollByTenth(Qt::Orientation orientation, int direction);
    void exportPdf(QString fileName);
    // The job's report run again into the filter, or its stored pages.
    bool exportJob(ExportFilter& filter);
    void tellError(const QString& error);
    template <typename Ask>
    auto askOverPreview(Ask ask);

    QPointer<PrintJob> m_job;
    Prompter& m_prompter;
    QString m_currentUserName;
    QString m_statusText;
    bool m_firstPagePending = false;
    bool m_fitted = false;
    QWidget* m_toolbar = nullptr;
    PreviewControl* m_preview = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[3] = {};
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_firstPageButton = nullptr;
    QPushButton* m_previousPageButton = nullptr;
    QPushButton* m_nextPageButton = nullptr;
    QPushButton* m_lastPageButton = nullptr;
    QPushButton* m_zoomInButton = nullptr;
    QPushButton* m_zoomOutButton = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};

} // namespace bw
