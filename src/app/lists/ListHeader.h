#pragma once

#include <QByteArray>
#include <QHeaderView>
#include <QPixmap>

#include <vector>

namespace bw {

// The heading of a tab's list, set up as a list's own header is. The list
// lays its rows out again whenever rows come or go, and each time it has its
// header lay itself out and repaint, although the headings stay as they were:
// at every section of a scan. So this header lays itself out again only for
// a new width or new columns, and repaints from a picture of its last look.
class ListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

protected:
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool steady() const;
    QByteArray currentLook() const;
    void takePicture();

    QSize m_laidOutSize;
    int m_laidOutCount = -1;
    std::vector<QMetaObject::Connection> m_modelConnections;
    quint64 m_headings = 0; // counts changes of the model's headings
    QByteArray m_look;      // what m_picture shows
    QPixmap m_picture;
    bool m_picturing = false;
    bool m_pictureDue = false;
};

} // namespace bw
