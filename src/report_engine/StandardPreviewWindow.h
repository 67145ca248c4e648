#pragma once

#include <QPointer>
#include <QRasterWindow>

namespace bw {

class PrintJob;

// The window of the engine's plain preview; it frees itself on close.
class StandardPreviewWindow : public QRasterWindow {
    Q_OBJECT
public:
    explicit StandardPreviewWindow(PrintJob* job);

    int pageShown() const { return m_page; }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void showPage(int page);
    void showCaption();

    QPointer<PrintJob> m_job;
    int m_page = 1;
};

} // namespace bw
