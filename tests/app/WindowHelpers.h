#pragma once

#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "support/FakePrompter.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

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

// The main window shown and active, answering through a fake prompter, with
// every change of its tabs' lists checked against the model rules.
struct ShownWindow {
    FakePrompter prompter;
    MainWindow window{prompter};
    std::vector<std::unique_ptr<QAbstractItemModelTester>> modelTesters = checkModels(window);

    ShownWindow()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ScanTab* tab(int i) { return window.tab(i); }

    // Makes tab i the current one and picks path on it.
    void pick(int i, const QString& path)
    {
        window.tabWidget()->setCurrentIndex(i);
        prompter.fileAnswers.push_back(path);
        QTest::mouseClick(tab(i)->pickButton(), Qt::LeftButton);
    }
};

} // namespace bw::test
