#pragma once

#include "session/ContentsComparison.h"

#include <QDialog>

#include <atomic>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QThread;
class QTableView;

namespace bw {

class ComparisonModel;
class Prompter;

// File > Compare Contents Logs: two contents-check logs, scanned in the
// background, user by user in a sortable table with the counts and totals
// above it. It has no part in the tabs' sessions.
class ContentsCompareDialog : public QDialog {
    Q_OBJECT
public:
    // newLog: the log the Contents tab scanned, if any.
    ContentsCompareDialog(Prompter& prompter, const QString& newLog, QWidget* parent = nullptr);
    ~ContentsCompareDialog() override;

    QLineEdit* oldLogBox() const { return m_oldLog; }
    QLineEdit* newLogBox() const { return m_newLog; }
    QPushButton* compareButton() const { return m_compare; }
    QPushButton* exportButton() const { return m_export; }
    QTableView* table() const { return m_table; }
    QLabel* summary() const { return m_summary; }
    QProgressBar* progressBar() const { return m_progress; }
    bool comparing() const { return m_worker != nullptr; }

private slots:
    void onCompareClicked();
    void onExportClicked();

private:
    void pick(QLineEdit* box, const QString& title);
    void finish();
    void stopWorker();

    Prompter& m_prompter;
    QLineEdit* m_oldLog = nullptr;
    QLineEdit* m_newLog = nullptr;
    QPushButton* m_compare = nullptr;
    QPushButton* m_export = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_summary = nullptr;
    QTableView* m_table = nullptr;
    ComparisonModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;

    // The worker's results and its share done, read here when it ends.
    struct Work {
        QByteArray before, after;
        ContentsComparison::Run old, now;
        QString error;
        bool ok = false;
        std::atomic<int> permille{0};
        std::atomic<bool> stop{false};
    };
    std::unique_ptr<Work> m_work;
    QThread* m_worker = nullptr;
};

} // namespace bw
