#pragma once

#include <QTreeView>

namespace bw {

// A tab's list: a tree view that, while it holds no rows, can say why in a
// line drawn across its empty page (not a row of the list).
class RowListView : public QTreeView {
    Q_OBJECT
public:
    explicit RowListView(QWidget* parent = nullptr);

    void setPlaceholderText(const QString& text);
    const QString& placeholderText() const { return m_placeholder; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_placeholder;
};

} // namespace bw
