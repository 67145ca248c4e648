#pragma once

#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/MainWindow.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include <memory>
#include <vector>

namespace bw::test {

// A real mouse click on the middle of a column heading.
inline void clickHeader(QTreeView* list, int column)
{
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// Checks every change of every tab's list model against the rules views
// rely on; a broken rule aborts the test.
inline std::vector<std::unique_ptr<QAbstractItemModelTester>> checkModels(const MainWindow& window)
{
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (int i = 0; i < MainWindow::tabCount; ++i)
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            window.tab(i)->list()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    return testers;
}

} // namespace bw::test
