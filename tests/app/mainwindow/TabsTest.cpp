#include "app/WindowHelpers.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/StatusText.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"
#include "support/Wait.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Tab {
    FakePrompter prompter;
    MainWindow window{prompter};
    std::vector<std::unique_ptr<QAbstractItemModelTester>> modelTesters = checkModels(window);
    TempLog log;
    ScanTab* tab;

    Tab(int index, const std::string& text)
        : log(text)
        , tab(window.tab(index))
    {
        window.show();
        window.tabWidget()->setCurrentIndex(index);
        tab->choose(log.path());
    }

    std::vector<std::string> column(int c)
    {
        std::vector<std::string> out;
        QAbstractItemModel* m = tab->list()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out.push_back(m->index(r, c).data().toString().toStdString());
        return out;
    }

    void parse() { QTest::mouseClick(tab->parseButton(), Qt::LeftButton); }
    bool paused() { return waitUntil([this] { return tab->scan().awaitingContinue(); }); }
    bool ended() { return waitUntil([this] { return !tab->scanRunning(); }); }
    void next() { QTest::mouseClick(tab->continueButton(), Qt::LeftButton); }
    void clickHeader(int column) { bw::test::clickHeader(tab->list(), column); }
};

std::string documentRecord(const char* number, const char* version, const char* outcome)
{
    return crlf({"   Error 50- BLOB file has no document reference: x.ACA", "   - Library ID: PO1.DOM.LIB0001",
                 std::string("   - Document Num: ") + number, std::string("   - Version Num: ") + version,
                 "   - Author Name: JSMITH", "   - Author DPU: JSMITH.Sales.ACME", "   - File Extension: DOC",
                 std::string("   - ") + outcome});
}

} // namespace

TEST(Tabs, DocumentRescueScanPausesContinuesAndEndsWithClearCheckBoxes)
{
    Tab t(1, documentRecord("10", "1", "file copied to C:\\out\\a") + documentRecord("9", "2", "file moved to C:\\b") +
                 crlf({"PROCESSING COMPLETE"}) + documentRecord("7", "1", "file copied to C:\\c") +
                 crlf({"PROCESSING COMPLETE"}));
    t.parse();
    ASSERT_TRUE(t.paused());
    EXPECT_EQ(t.tab->statusText()->text(), "Document Verification Section Completed - 2 Documents");
    EXPECT_EQ(t.column(0), (std::vector<std::string>{"9", "10"})) << "document numbers order as numbers";
    EXPECT_EQ(t.column(3), (std::vector<std::string>{"LIB0001", "LIB0001"}));
    QAbstractItemModel* m = t.tab->list()->model();
    EXPECT_EQ(m->columnCount(), 7);
    for (int r = 0; r < m->rowCount(); ++r)
        EXPECT_EQ(m->index(r, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(m->index(0, 1).data(Qt::CheckStateRole).isValid()) << "only the first column has the box";
    EXPECT_TRUE(t.tab->actionButton()->isEnabled());
    t.next();
    ASSERT_TRUE(t.paused());
    EXPECT_EQ(t.column(0), std::vector<std::string>{"7"});
    t.next();
    ASSERT_TRUE(t.ended());
    EXPECT_EQ(t.tab->statusText()->text(), "Completed Parsing Log File");
    EXPECT_FALSE(t.tab->printButton()->isEnabled());
}

TEST(Tabs, MessageDbHeaderClicksDuringTheScanPlaceLaterRows)
{
    Tab t(2, crlf({"Novell GroupWise - GWCheck - Version 5.5.6", "----- Expire Statistics -----",
                   "AL (a1a - 1) 1 items 900 BYTES in user database", "BO (b2b - 2) 1 items 1000 BYTES in user database",
                   "CY (c3c - 3) 1 items 50 BYTES in user database", "PROCESSING COMPLETE",
                   "----- Expire Statistics -----", "DI (d4d - 4) 1 items 7 BYTES in user database",
                   "ED (e5e - 5) 1 items 70000 BYTES in user database", "PROCESSING COMPLETE"}));
    t.parse();
    // The scan is running (no slice has run yet): this list sorts at any time.
    t.clickHeader(3);
    EXPECT_EQ(t.window.sortState().column, 3);
    EXPECT_EQ(t.window.sortState().direction, -1);
    ASSERT_TRUE(t.paused());
    EXPECT_EQ(t.column(3), (std::vector<std::string>{"1000", "900", "50"}));
    EXPECT_EQ(t.column(1), (std::vector<std::string>{"Userb2b.db", "Usera1a.db", "Userc3c.db"}));
    t.next();
    ASSERT_TRUE(t.paused());
    EXPECT_EQ(t.column(3), (std::vector<std::string>{"70000", "7"})) << "the next section keeps the clicked order";
    t.clickHeader(0);
    EXPECT_EQ(t.column(0), (std::vector<std::string>{"DI", "ED"}));
    t.next();
    ASSERT_TRUE(t.ended());
}

TEST(Tabs, StructureScanPausesContinuesAndEnds)
{
    Tab t(3, crlf({"- checking area SERVER/VOL:\\PO\\OFFILES\\FD3", "- Checking directory SUB7",
                   "Error 52- Blob file with missing trailer: B.000",
                   "Problem 39- Unknown file  1234 bytes, 01/02/2004 10:00", "Error 52- Blob file with missing trailer: A.000",
                   "Return from WpioDirCreate = 0x8209", "PROCESSING COMPLETE", "- checking area X",
                   "- Checking directory D", "Error 52- Blob file with missing trailer: C.000", "file copied to y"}));
    t.parse();
    ASSERT_TRUE(t.paused());
    EXPECT_EQ(t.tab->statusText()->text(), "Structure Check Section Completed - 2 BLOB Files");
    EXPECT_EQ(t.column(0), (std::vector<std::string>{"SUB7\\A.000", "SUB7\\B.000"}));
    EXPECT_EQ(t.column(1)[0], "\\\\SERVER\\VOL\\PO\\OFFILES\\FD3");
    EXPECT_EQ(t.column(2)[0], "0") << "a file not on disk";
    EXPECT_EQ(t.tab->actionButton()->text().remove(u'&'), "Backdate");
    t.clickHeader(2);
    EXPECT_EQ(t.column(0), (std::vector<std::string>{"SUB7\\B.000", "SUB7\\A.000"}));
    t.next();
    ASSERT_TRUE(t.ended());
    EXPECT_EQ(t.column(0), std::vector<std::string>{"D\\C.000"}) << "an unclosed section stays listed";
    EXPECT_TRUE(t.tab->printButton()->isEnabled());
    EXPECT_TRUE(t.tab->actionButton()->isEnabled());
}
