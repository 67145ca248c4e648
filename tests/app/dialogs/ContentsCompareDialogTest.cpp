#include "app/dialogs/ContentsCompareDialog.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "support/ActionFixture.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"
#include "support/Wait.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

QStringList column(const QTableView* table, int c)
{
    QStringList out;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        out << table->model()->index(r, c).data().toString();
    return out;
}

} // namespace

TEST(ContentsCompareDialog, ScansBothLogsAsideAndShowsTheUsersSortableWithTheirCountsAndExports)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    TempLog before(contentsLog({{"ADA (a1a)", "100"}, {"BOB (b1b)", "50"}, {"DOT (d1d)", "9"}}));
    TempLog after(contentsLog({{"ADA (a1a)", "160"}, {"BOB (b1b)", "20"}, {"CY (c1c)", "7"}}));
    ContentsCompareDialog dialog(prompter, after.path(), &window);
    dialog.show();
    EXPECT_EQ(dialog.newLogBox()->text(), after.path());
    dialog.oldLogBox()->setText(before.path());
    QTest::mouseClick(dialog.compareButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !dialog.comparing(); }));
    EXPECT_EQ(dialog.summary()->text(), "2 users in both, 1 new, 1 gone. Total Size: 159 then, 187 now, change +28");
    EXPECT_EQ(column(dialog.table(), 0), (QStringList{"ADA", "BOB", "CY", "DOT"})) << "growth first, then by name";
    EXPECT_EQ(dialog.table()->model()->index(0, 4).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0xB0, 0, 0));
    EXPECT_EQ(dialog.table()->model()->index(1, 4).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0x80, 0));
    // The new total, ascending: numbers as numbers, the gone user last.
    dialog.table()->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(column(dialog.table(), 0), (QStringList{"CY", "BOB", "ADA", "DOT"}));
    dialog.table()->sortByColumn(3, Qt::DescendingOrder);
    EXPECT_EQ(column(dialog.table(), 0), (QStringList{"ADA", "BOB", "CY", "DOT"}));
    dialog.grab().save(QDir::temp().filePath("bw-compare.png"));

    const QString file = before.dir() + "/compare.txt";
    prompter.saveAnswers.push_back(file);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    EXPECT_EQ(readAll(file), "User Name\tUser FID\tOld Total Size\tNew Total Size\tChange\tChange %\tState\r\n"
                             "ADA\ta1a\t100\t160\t60\t60.0\tboth\r\nBOB\tb1b\t50\t20\t-30\t-60.0\tboth\r\n"
                             "CY\tc1c\t\t7\t\t\tnew\r\nDOT\td1d\t9\t\t\t\tgone\r\n");

    // A log that cannot be read: its reason, and nothing shown.
    dialog.oldLogBox()->setText(before.dir() + "/gone.log");
    QTest::mouseClick(dialog.compareButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !dialog.comparing(); }));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains("No such file or directory")) << prompter.errors[0].toStdString();
    EXPECT_FALSE(window.tab(0)->session().scanRunning()) << "the tabs are not touched";
}
