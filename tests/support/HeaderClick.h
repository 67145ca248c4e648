#pragma once

#include <QHeaderView>
#include <QTest>
#include <QTreeView>

namespace bw::test {

// A real mouse click on the middle of a column heading.
inline void clickHeader(QTreeView* list, int column)
{
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

} // namespace bw::test
