#include "app/WindowHelpers.h"
#include "app/lists/RowListModel.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/StatusText.h"
#include "app/widgets/UiScale.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"
#include "support/Wait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

const std::string kTwoSections = crlf({
    "CONTENTS VERIFICATION",
    "Checking user = BOB (b0b) [Ops] - 10 KB, 12/10/03 13:45",
    "   User stats: 5 InBox, 1 OutBox, 0 WasteBasket",
    "   Size Limit Exceeded  Current size: 900KB",
    "Checking user = AL (a1a) - 9 KB, 12/10/03 13:46",
    "   User stats: 40 InBox, 2 OutBox, 0 WasteBasket",
    "   Threshold limit exceeded  Current size: 800KB",
    "Checking user = CY (c1c) - 8 KB, 12/10/03 13:46",
    "   User stats: 7 InBox, 3 OutBox, 0 WasteBasket",
    "   Disk space management: Size Limit - 2048KB Threshold - 90%",
    "   7 bytes in use by user",
    "PROCESSING COMPLETE",
    "CONTENTS VERIFICATION",
    "Checking user = DI (d1d) - 4 KB",
    "   4 bytes in use by user",
    "PROCESSING COMPLETE",
});

struct Window : ShownWindow {
    std::vector<std::string> captions(int i)
    {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < tab(i)->rows().size(); ++r)
            out.push_back(tab(i)->rows().at(r).caption);
        return out;
    }
};

std::vector<QPushButton*> buttonsOf(ScanTab* t)
{
    return {t->parseButton(), t->continueButton(), t->printButton(), t->actionButton()};
}

void clickHeader(ScanTab* t, int column)
{
    bw::test::clickHeader(t->list(), column);
}

} // namespace

TEST(MainWindow, StartsWithEveryTabFreshAndTheContentsTabActive)
{
    Window w;
    EXPECT_EQ(w.window.windowTitle(), "Brindlewick");
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 0);
    const QStringList titles = {"Contents Check", "Document Rescue", "Message DB", "Unknown - 52"};
    for (int i = 0; i < MainWindow::tabCount; ++i) {
        ScanTab* t = w.tab(i);
        EXPECT_EQ(w.window.tabWidget()->tabText(i).remove(u'&'), titles[i]);
        EXPECT_TRUE(t->logBox()->text().isEmpty());
        EXPECT_TRUE(t->logBox()->isReadOnly());
        EXPECT_TRUE(t->statusText()->text().isEmpty());
        EXPECT_TRUE(t->lineCounter()->text().isEmpty());
        for (QPushButton* b : buttonsOf(t))
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_EQ(w.tab(3)->actionButton()->text().remove(u'&'), "Backdate");
    EXPECT_EQ(w.tab(0)->actionButton()->objectName(), "BContExport");
    EXPECT_EQ(w.tab(1)->continueButton()->objectName(), "bDocCont");
    EXPECT_EQ(w.tab(1)->lineCounter()->objectName(), "LdocLineCountValue");
    ASSERT_NE(w.tab(1)->outputDirectoryBox(), nullptr);
    EXPECT_EQ(w.tab(1)->outputDirectoryBox()->text(), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    EXPECT_TRUE(w.window.closeButton()->isEnabled());
    EXPECT_EQ(w.window.closeButton()->toolTip(), "Exit the Application");
    EXPECT_EQ(w.tab(0)->list()->model()->columnCount(), 8);
    EXPECT_EQ(w.tab(0)->list()->model()->headerData(6, Qt::Horizontal).toString(), "Total Size");
    // The designed widths, grown with the font.
    const UiScale scale(w.window.fontMetrics());
    EXPECT_GE(w.tab(0)->list()->header()->sectionSize(0), scale.x(100)) << "the names take what room is left";
}

TEST(MainWindow, PickingALogOnEachTab)
{
    Window w;
    TempLog log("x\n");
    const QStringList titles = {"Select Required GWCheck Contents Log", "Select Required GWCheck Document Log",
                                "Select Required GWCheck Expire Statistics Log",
                                "Select Required GWCheck Structure Check Log"};
    for (int i = 0; i < MainWindow::tabCount; ++i) {
        w.pick(i, log.path());
        ScanTab* t = w.tab(i);
        EXPECT_EQ(w.prompter.openTitles.back(), titles[i]);
        EXPECT_EQ(t->logBox()->text(), log.path());
        EXPECT_TRUE(t->parseButton()->isEnabled());
        EXPECT_FALSE(t->continueButton()->isEnabled());
        EXPECT_EQ(t->statusText()->text(), "Log File Selected");
        const bool focusMoves = i == 0 || i == 2;
        EXPECT_EQ(QApplication::focusWidget() == t->parseButton(), focusMoves) << i;
    }
    EXPECT_TRUE(w.prompter.openFilters.back().startsWith("GWCheck Log Files ("));
    EXPECT_TRUE(w.prompter.openFilters.back().endsWith(";;All Files (*)"));
    EXPECT_EQ(w.prompter.openStarts.back(), log.path()) << "the dialog starts at the last pick";

    // Cancelling changes nothing.
    w.prompter.fileAnswers.push_back(QString());
    QTest::mouseClick(w.tab(3)->pickButton(), Qt::LeftButton);
    EXPECT_EQ(w.tab(3)->logBox()->text(), log.path());

    // The Document tab proposes the log's folder for output; a root keeps its separator.
    w.pick(1, "C:\\logs\\x.log");
    EXPECT_EQ(w.tab(1)->outputDirectoryBox()->text(), "C:\\logs");
    w.pick(1, "C:\\x.log");
    EXPECT_EQ(w.tab(1)->outputDirectoryBox()->text(), "C:\\");
    w.pick(1, "/var/log/x.log");
    EXPECT_EQ(w.tab(1)->outputDirectoryBox()->text(), "/var/log");
    w.pick(1, "/x.log");
    EXPECT_EQ(w.tab(1)->outputDirectoryBox()->text(), "/");
}

TEST(MainWindow, ParsePausesAtEachSectionAndLocksTheWindow)
{
    Window w;
    TempLog log(kTwoSections);
    w.pick(0, log.path());
    ScanTab* t = w.tab(0);
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    EXPECT_FALSE(w.window.closeButton()->isEnabled());
    EXPECT_FALSE(t->pickButton()->isEnabled()) << "no second scan can start from a pick";
    w.window.tabWidget()->setCurrentIndex(1); // refused while scanning, too
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 0);
    EXPECT_FALSE(w.window.tabWidget()->isTabEnabled(1));
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));

    EXPECT_EQ(t->statusText()->text(), "Content Verification Section Completed - 3 Users");
    EXPECT_EQ(t->lineCounter()->text(), "Processing Line 12");
    EXPECT_FALSE(t->parseButton()->isEnabled());
    EXPECT_TRUE(t->continueButton()->isEnabled());
    EXPECT_TRUE(t->printButton()->isEnabled());
    EXPECT_TRUE(t->actionButton()->isEnabled());
    EXPECT_EQ(t->list()->model()->rowCount(), 3);
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"AL", "BOB", "CY"}));

    // Neither the tab bar nor any way of closing gets past the lock.
    w.window.tabWidget()->setCurrentIndex(2);
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 0);
    QTest::mouseClick(w.window.tabWidget()->tabBar(), Qt::LeftButton, {},
                      w.window.tabWidget()->tabBar()->tabRect(1).center());
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 0);
    w.window.closeButton()->click(); // disabled: it is the lock itself
    EXPECT_TRUE(w.prompter.messages.isEmpty());
    w.window.onCloseClicked();
    w.window.findChild<QAction*>("Exit1")->trigger();
    w.window.close();
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.prompter.messages, QStringList(3, "Please Complete the Contents Check Log File Scan"));

    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    EXPECT_FALSE(t->continueButton()->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    EXPECT_EQ(t->statusText()->text(), "Content Verification Section Completed - 1 Users");
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"DI"}));

    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    EXPECT_EQ(t->statusText()->text(), "Completed Parsing Log File");
    EXPECT_EQ(t->lineCounter()->text(), "Processing Line 16");
    EXPECT_TRUE(t->parseButton()->isEnabled());
    EXPECT_FALSE(t->continueButton()->isEnabled());
    EXPECT_FALSE(t->printButton()->isEnabled()) << "Done with an empty list";
    EXPECT_FALSE(t->actionButton()->isEnabled());
    EXPECT_TRUE(w.window.closeButton()->isEnabled());
    EXPECT_TRUE(t->pickButton()->isEnabled());
    w.window.tabWidget()->setCurrentIndex(2);
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 2);
}

TEST(MainWindow, DoneWithRowsKeepsPrintAndActionAcrossAPick)
{
    Window w;
    TempLog log(crlf({"CONTENTS VERIFICATION", "Checking user = A (aaa) - 1 KB", "1 bytes in use by user"}));
    w.pick(0, log.path());
    ScanTab* t = w.tab(0);
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    EXPECT_TRUE(t->printButton()->isEnabled());
    EXPECT_TRUE(t->actionButton()->isEnabled());
    EXPECT_EQ(t->list()->model()->rowCount(), 1);
    w.pick(0, log.path());
    EXPECT_EQ(t->list()->model()->rowCount(), 0) << "a pick empties the list";
    EXPECT_TRUE(t->printButton()->isEnabled()) << "but leaves Print and the action alone";
    EXPECT_TRUE(t->actionButton()->isEnabled());
    EXPECT_EQ(t->lineCounter()->text(), "Processing Line 3");
}

TEST(MainWindow, ContentsHeaderClicksActOnlyWhileExportIsEnabled)
{
    Window w;
    TempLog log(kTwoSections);
    w.pick(0, log.path());
    ScanTab* t = w.tab(0);
    clickHeader(t, 0);
    EXPECT_EQ(w.window.sortState().direction, 1) << "before a scan nothing happens";

    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    clickHeader(t, 3); // scanning, Export disabled
    EXPECT_EQ(w.window.sortState().column, 0);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));

    clickHeader(t, 0);
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"CY", "BOB", "AL"}));
    clickHeader(t, 0);
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"AL", "BOB", "CY"}));
    clickHeader(t, 3); // InBox, descending
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"AL", "CY", "BOB"}));
    clickHeader(t, 4); // OutBox, ascending
    EXPECT_EQ(w.captions(0), (std::vector<std::string>{"BOB", "AL", "CY"}));
    const QModelIndex first = t->list()->model()->index(0, 0);
    EXPECT_EQ(first.data().toString(), "BOB");
    EXPECT_EQ(t->list()->header()->sortIndicatorSection(), 4);

    // Colours and tips.
    QAbstractItemModel* m = t->list()->model();
    EXPECT_EQ(m->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_EQ(m->index(1, 3).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 0));
    EXPECT_FALSE(m->index(2, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(m->index(0, 0).data(Qt::ToolTipRole).toString(), "BOB (Ops) is above Mailbox Size Limit");
    EXPECT_EQ(m->index(1, 0).data(Qt::ToolTipRole).toString(), "AL () is above Mailbox Threshold Limit");
    EXPECT_EQ(m->index(2, 0).data(Qt::ToolTipRole).toString(), "CY () is below Mailbox Threshold Limit");
    EXPECT_EQ(m->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);

    // The order chosen at a pause places the next section's rows.
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning() || t->scan().awaitingContinue(); }));
    EXPECT_EQ(w.window.sortState().column, 4);
}

TEST(MainWindow, EachScanReadsItsOwnTabsLogAndFailuresUnlock)
{
    Window w;
    TempLog first(crlf({"CONTENTS VERIFICATION", "Checking user = FIRST (aaa) - 1 KB", "1 bytes in use by user"}));
    TempLog second(crlf({"CONTENTS VERIFICATION", "Checking user = SECOND (bbb) - 1 KB", "1 bytes in use by user"}),
                   "second.log");
    w.pick(0, first.path());
    w.pick(2, second.path());
    w.window.tabWidget()->setCurrentIndex(0);
    ScanTab* t = w.tab(0);
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    EXPECT_EQ(w.captions(0), std::vector<std::string>{"FIRST"});

    // A log that vanished after its pick: the error box, then the window is usable.
    TempLog gone("", "gone.log");
    w.pick(3, gone.path());
    QFile::remove(gone.path());
    ScanTab* u = w.tab(3);
    QTest::mouseClick(u->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !u->scanRunning(); }));
    EXPECT_EQ(w.prompter.errors, QStringList{QDir::toNativeSeparators(gone.path()) + ": No such file or directory"})
        << "the box names the log";
    EXPECT_TRUE(u->parseButton()->isEnabled());
    EXPECT_TRUE(w.window.closeButton()->isEnabled());
    EXPECT_FALSE(u->printButton()->isEnabled());
    w.window.tabWidget()->setCurrentIndex(0);
    EXPECT_EQ(w.window.tabWidget()->currentIndex(), 0);

    // A new Parse counts from nothing, not from the last scan's count.
    TempLog vanished("", "vanished.log");
    w.pick(0, vanished.path());
    QFile::remove(vanished.path());
    EXPECT_NE(t->lineCounter()->text(), "Processing Line 0");
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    EXPECT_EQ(t->lineCounter()->text(), "Processing Line 0");
}

TEST(MainWindow, DroppingALogPicksItUnlessAScanRuns)
{
    Window w;
    TempLog log(kTwoSections);
    ScanTab* t = w.tab(0);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(log.path())});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(t, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(t, &drop);
    EXPECT_EQ(t->logBox()->text(), QDir::toNativeSeparators(log.path()));
    EXPECT_TRUE(t->parseButton()->isEnabled());

    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    QDragEnterEvent again(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(t, &again);
    EXPECT_FALSE(again.isAccepted());
    EXPECT_TRUE(t->progress()->isVisible());
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning() || t->scan().awaitingContinue(); }));
}

TEST(MainWindow, ClosingDuringAStructureScanNamesThatScan)
{
    Window w;
    TempLog log(crlf({"- checking area X", "- Checking directory D", "Error 52- Blob file with missing trailer: a.000",
                      "file copied to x", "PROCESSING COMPLETE"}));
    w.pick(3, log.path());
    ScanTab* t = w.tab(3);
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    w.window.close();
    EXPECT_EQ(w.prompter.messages, QStringList{"Please Complete the Structure Check Log File Scan"});
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    QCloseEvent close;
    QCoreApplication::sendEvent(&w.window, &close);
    EXPECT_TRUE(close.isAccepted());
}

TEST(MainWindow, HintsShowAsTipsAndInTheFirstStatusPanel)
{
    Window w;
    ScanTab* t = w.tab(0);
    EXPECT_EQ(t->parseButton()->toolTip(), "Parse the Selected GWCheck Log File");
    EXPECT_EQ(t->continueButton()->toolTip(), "Continue Parsing the GWCheck Log File");
    EXPECT_EQ(w.tab(1)->actionButton()->toolTip(), "Write the NWAdmin CSV File and Export the Document Files");
    EXPECT_EQ(w.tab(3)->actionButton()->toolTip(), "Backdate the Unknown BLOB Files by 14 days");
    EXPECT_EQ(t->list()->toolTip(), "Click Column Heading to Sort Results");
    QTest::mouseMove(t->printButton());
    EXPECT_TRUE(waitUntil([&] { return w.window.hintPanel()->text() == "Print the Results for this Section of the Log File"; }, 1000));
    QTest::mouseMove(t->pickButton());
    EXPECT_TRUE(waitUntil([&] { return w.window.hintPanel()->text() == "Select the Required GWCheck Log File"; }, 1000));
    EXPECT_EQ(w.window.hintPanel()->width(), UiScale(w.window.fontMetrics()).x(345));
}

TEST(MainWindow, SortArrowMovesOnlyWhenTheListIsSorted)
{
    Window w;
    ScanTab* t = w.tab(0);
    QHeaderView* header = t->list()->header();
    clickHeader(t, 3);
    EXPECT_FALSE(header->isSortIndicatorShown()) << "before any scan";

    TempLog log(kTwoSections);
    w.pick(0, log.path());
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    clickHeader(t, 3); // while the scan runs
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    clickHeader(t, 3); // at a pause it sorts
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    TempLog empty(crlf({"nothing to list"}), "empty.log");
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    w.pick(0, empty.path());
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
    clickHeader(t, 5); // after a scan that listed nothing
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST(MainWindow, KeyboardReachesEveryControl)
{
    Window w;
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(u'&');
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
    };
    for (int i = 0; i < MainWindow::tabCount; ++i) {
        QStringList texts;
        for (int k = 0; k < MainWindow::tabCount; ++k)
            texts << w.window.tabWidget()->tabText(k);
        // The menus of the bar, not the bar's own menu for menus that do not fit.
        for (QAction* menu : w.window.menuBar()->actions())
            texts << menu->text();
        texts << w.window.closeButton()->text();
        for (QPushButton* b : buttonsOf(w.tab(i)))
            texts << b->text();
        for (QLabel* label : w.tab(i)->findChildren<QLabel*>()) {
            if (label->buddy())
                texts << label->text();
        }
        QSet<QChar> seen;
        for (const QString& text : texts) {
            const QChar key = mnemonic(text);
            ASSERT_FALSE(key.isNull()) << text.toStdString() << " has no mnemonic";
            EXPECT_FALSE(seen.contains(key)) << text.toStdString() << " repeats Alt+" << QString(key).toStdString();
            seen.insert(key);
        }
    }

    // Enter on the focused Parse starts the scan; at the pause the focus is on
    // Continue, so Enter goes on.
    TempLog log(kTwoSections);
    w.pick(0, log.path());
    ScanTab* t = w.tab(0);
    ASSERT_TRUE(t->parseButton()->hasFocus());
    QTest::keyClick(t->parseButton(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    EXPECT_TRUE(t->continueButton()->hasFocus());
    QTest::keyClick(t->continueButton(), Qt::Key_Return);
    EXPECT_FALSE(t->scan().awaitingContinue());
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));

    // Alt+F and F10 open the File menu.
    QMenu* fileMenu = w.window.menuBar()->actions().constFirst()->menu();
    ASSERT_NE(fileMenu, nullptr);
    QTest::keyClick(&w.window, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return fileMenu->isVisible(); }, 1000)) << "Alt+F";
    // Escape closes the menu, a second one leaves the menu bar.
    const auto leaveMenus = [&] {
        QTest::keyClick(fileMenu, Qt::Key_Escape);
        QTest::keyClick(w.window.menuBar(), Qt::Key_Escape);
        EXPECT_TRUE(waitUntil([&] { return !fileMenu->isVisible(); }, 1000));
    };
    leaveMenus();
    QTest::keyClick(&w.window, Qt::Key_F10);
    EXPECT_TRUE(waitUntil([&] { return fileMenu->isVisible(); }, 1000)) << "F10";
    leaveMenus();
}
