#pragma once

#include <QWidget>

namespace bw {

// A one-line text for values that change many times a second (the status
// text and the line counter). Unlike a QLabel it never asks the layout to
// recompute when its text changes, so an update repaints only itself. A text
// too long for it is cut in the middle and shows whole as its tip.
class StatusText : public QWidget {
    Q_OBJECT
public:
    explicit StatusText(Qt::Alignment alignment, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    bool isCut() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateTip();

    QString m_text;
    Qt::Alignment m_alignment;
    bool m_cut = false; // isCut() when the text, width or font last changed
};

} // namespace bw
