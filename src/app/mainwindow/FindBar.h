#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace bw {

// The bar under a list that finds rows by their text: the text, Previous
// and Next, what was found, and a button that closes it. What it finds is
// the tab's matter; the bar only asks.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QLineEdit* textBox() const { return m_text; }
    QLabel* resultLabel() const { return m_result; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* previousButton() const { return m_previous; }
    QString text() const;

    // "N of M", "Not found", or nothing for an empty text.
    void showResult(int number, int count);

signals:
    // The text changed: find from the current row on.
    void textChanged();
    void nextRequested();
    void previousRequested();
    void closeRequested();

private:
    QLineEdit* m_text = nullptr;
    QLabel* m_result = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_close = nullptr;
};

} // namespace bw
