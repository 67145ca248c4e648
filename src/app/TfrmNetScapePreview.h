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
class TfrmNetScapePreview : public QDialog {
    Q_OBJECT
public:
    TfrmNetScapePreview(PrintJob* job, Prompter& prompter, QString currentUserName, QWidget* parent = nullptr);
    ~TfrmNetScapePreview() override;

    PrintJob* job() const;
    PreviewControl* preview() const { return QRPreview1; }
    const QString& statusText() const { return StatusText; }
    QLabel* statusPanel(int index) const;
    QProgressBar* progressBar() const { return ProgressBar; }

    QPushButton* btnPrint = nullptr;
    QPushButton* btnFirstPage = nullptr;
    QPushButton* btnPrevPage = nullptr;
    QPushButton* btnNextPage = nullptr;
    QPushButton* btnLastPage = nullptr;
    QPushButton* btnZoomIn = nullptr;
    QPushButton* btnZoomOut = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnClose = nullptr;

    void btnPrintClick();
    void btnFirstPageClick();
    void btnPrevPageClick();
    void btnNextPageClick();
    void btnLastPageClick();
    void btnZoomInClick();
    void btnZoomOutClick();
    void btnOpenClick();
    void btnSaveClick();
    void btnCloseClick();

    void RefreshNavigation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FitToWorkArea();
    // Handles the window's keys before its controls see them.
    bool FormKeyDown(const QKeyEvent& key);
    void QRPreview1PageAvailable(int count);
    void QRPreview1ProgressUpdate(int percent);
    void PrepareFirstPage();
    void StatusBarDrawPanel();
    void scrollByTenth(Qt::Orientation orientation, int direction);
    void exportPdf(QString fileName);
    // The job's report run again into the filter, or its stored pages.
    bool exportJob(ExportFilter& filter);
    void tellError(const QString& error);
    template <typename Ask>
    auto askOverPreview(Ask ask);

    QPointer<PrintJob> Job;
    Prompter& m_prompter;
    QString m_currentUserName;
    QString StatusText;
    bool FirstPagePending = false;
    bool m_fitted = false;
    QWidget* m_toolbar = nullptr;
    PreviewControl* QRPreview1 = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* m_panels[3] = {};
    QProgressBar* ProgressBar = nullptr;
};

} // namespace bw
