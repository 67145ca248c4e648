#include "app/lists/ListHeader.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

namespace bw {

ListHeader::ListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    setStretchLastSection(true);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ListHeader::setModel(QAbstractItemModel* model)
{
    for (const QMetaObject::Connection& connection : m_modelConnections)
        disconnect(connection);
    m_modelConnections.clear();
    QHeaderView::setModel(model);
    if (model) {
        const auto changed = [this] { ++m_headings; };
        m_modelConnections = {connect(model, &QAbstractItemModel::headerDataChanged, this, changed),
                              connect(model, &QAbstractItemModel::modelReset, this, changed)};
    }
    ++m_headings;
}

void ListHeader::updateGeometries()
{
    // With its last section stretched, a header laid out again fits its
    // sections to its width and measures every heading. Only a new width or
    // new columns change that fit; a column dragged wider refits on its own.
    const QSize size = viewport()->size();
    if (size == m_laidOutSize && count() == m_laidOutCount)
        return;
    m_laidOutSize = size;
    m_laidOutCount = count();
    QHeaderView::updateGeometries();
}

bool ListHeader::steady() const
{
    // Under the mouse, or while a button is down, the headings follow it.
    return !viewport()->underMouse() && QGuiApplication::mouseButtons() == Qt::NoButton && !highlightSections();
}

QByteArray ListHeader::currentLook() const
{
    QByteArray look;
    QDataStream out(&look, QIODevice::WriteOnly);
    out << viewport()->size() << viewport()->devicePixelRatio() << offset() << m_headings << isEnabled()
        << isActiveWindow() << sectionsClickable() << palette().cacheKey() << font().key() << quintptr(style())
        << int(layoutDirection()) << isSortIndicatorShown() << sortIndicatorSection() << int(sortIndicatorOrder())
        << int(textElideMode()) << int(defaultAlignment()) << count();
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        out << logical << (isSectionHidden(logical) ? -1 : sectionSize(logical));
    }
    return look;
}

void ListHeader::paintEvent(QPaintEvent* event)
{
    if (!m_picturing && steady()) {
        if (!m_picture.isNull() && currentLook() == m_look) {
            QPainter painter(viewport());
            painter.setClipRegion(event->region());
            painter.drawPixmap(0, 0, m_picture);
            return;
        }
        // No picture can be taken while the window paints: after it.
        if (!m_pictureDue) {
            m_pictureDue = true;
            QMetaObject::invokeMethod(this, &ListHeader::takePicture, Qt::QueuedConnection);
        }
    }
    QHeaderView::paintEvent(event);
}

void ListHeader::takePicture()
{
    m_pictureDue = false;
    if (!isVisible() || !steady() || viewport()->size().isEmpty())
        return;
    const qreal ratio = viewport()->devicePixelRatio();
    QPixmap picture(viewport()->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(viewport()->palette().color(viewport()->backgroundRole()));
    m_picturing = true;
    viewport()->render(&picture, {}, {}, QWidget::DrawWindowBackground);
    m_picturing = false;
    m_picture = picture;
    m_look = currentLook();
}

} // namespace bw
