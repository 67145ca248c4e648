// The window as an administrator drives it through a working day: focus
// after Print and after a failed log, failures of a run summed up, room for
// the text, Find.
#include "app/WindowHelpers.h"
#include "app/dialogs/PathMappingsDialog.h"
#include "app/lists/RowListView.h"
#include "app/mainwindow/FindBar.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ReportObjects.h"
#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/StatusText.h"
#include "app/preview/ReportPreviewWindow.h"
#include "app/widgets/WidgetPrompter.h"
#include "support/ActionFixture.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"
#include "support/Wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Window : ShownWindow {
    void pickAndParse(int i, const QString& log)
    {
        pick(i, log);
        QTest::mouseClick(tab(i)->parseButton(), Qt::LeftButton);
        EXPECT_TRUE(waitUntil([&] { return tab(i)->scan().awaitingContinue() || !tab(i)->scanRunning(); }));
    }

    void finish(int i)
    {
        while (tab(i)->scanRunning()) {
            QTest::mouseClick(tab(i)->continueButton(), Qt::LeftButton);
            ASSERT_TRUE(waitUntil([&] { return tab(i)->scan().awaitingContinue() || !tab(i)->scanRunning(); }));
        }
    }
};

std::string users(int count)
{
    std::string text = crlf({"CONTENTS VERIFICATION"});
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += crlf({"Checking user = USER" + n + " (f" + n + ") - 10 KB, 12/10/03 13:45", "   10 bytes in use by user"});
    }
    return text + crlf({"PROCESSING COMPLETE"});
}

std::vector<std::string> captions(ScanTab* t)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < t->rows().placedCount(); ++i)
        out.push_back(t->rows().at(i).caption);
    return out;
}

// Answers the next modal box or dialog from the event loop.
template <typename F>
void answerNextModal(F answer)
{
    auto* timer = new QTimer;
    // Answered once it has been up for a tick, inside its own loop.
    QObject::connect(timer, &QTimer::timeout, [timer, answer, tries = 0, seen = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        seen = modal ? seen + 1 : 0;
        if (seen < 2 && ++tries < 500)
            return;
        timer->deleteLater();
        timer->stop();
        if (modal)
            answer(modal);
    });
    timer->start(10);
}

} // namespace

TEST(Workday, EnterAfterAPreviewAndAfterAFailedLogGoesOn)
{
    Window w;
    ReportObjects reports(w.window);
    TempLog log(users(3));
    w.pickAndParse(0, log.path());
    ScanTab* t = w.tab(0);
    ASSERT_TRUE(t->scan().awaitingContinue());
    t->printButton()->setFocus();
    QTest::keyClick(t->printButton(), Qt::Key_Return);
    ReportPreviewWindow* preview = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<ReportPreviewWindow*>(top); p && p->isVisible())
            preview = p;
    }
    ASSERT_NE(preview, nullptr);
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::setActiveWindow(&w.window);
    EXPECT_TRUE(waitUntil([&] { return t->continueButton()->hasFocus(); })) << "Enter now goes on, not to a second preview";
    w.finish(0);

    // A log that cannot be read: after its error box the user picks again.
    w.pickAndParse(0, log.dir() + "/missing.log");
    EXPECT_EQ(w.prompter.errors.size(), 1);
    EXPECT_EQ(w.window.focusWidget(), t->pickButton()) << "not the tab bar";
}

TEST(Workday, ALogWithoutASectionOfTheTabsKindSaysSoInTheEmptyList)
{
    Window w;
    TempLog other(crlf({"Novell GroupWise - GWCheck", "----- Expire Statistics -----", "PROCESSING COMPLETE"}));
    w.pickAndParse(0, other.path());
    ScanTab* t = w.tab(0);
    EXPECT_EQ(t->statusText()->text(), "Completed Parsing Log File");
    EXPECT_EQ(t->list()->model()->rowCount(), 0) << "a line drawn by the view, not a row";
    EXPECT_EQ(t->listView()->placeholderText(), "No Contents Check section was found in this log");
    t->list()->grab().save(QDir::temp().filePath("bw-no-section.png"));

    TempLog log(users(2));
    w.pickAndParse(0, log.path());
    EXPECT_TRUE(t->listView()->placeholderText().isEmpty()) << "gone with the pick";
    w.finish(0);
    EXPECT_TRUE(t->listView()->placeholderText().isEmpty()) << "a log with a section";

    // An empty log on another tab, and a section without rows.
    TempLog empty("");
    w.pickAndParse(2, empty.path());
    EXPECT_EQ(w.tab(2)->listView()->placeholderText(), "No Expire Statistics section was found in this log");
    TempLog noRows(crlf({"Novell GroupWise - GWCheck - Version 5.5.6", "----- Expire Statistics -----", "PROCESSING COMPLETE"}));
    w.pickAndParse(2, noRows.path());
    EXPECT_TRUE(w.tab(2)->listView()->placeholderText().isEmpty());
}

TEST(Workday, AWiderWindowWidensTheWidestTextColumnOnly)
{
    Window w;
    for (int i : {0, 3}) {
        ScanTab* t = w.tab(i);
        w.window.tabWidget()->setCurrentIndex(i);
        QApplication::processEvents();
        QHeaderView* header = t->list()->header();
        std::vector<int> before;
        for (int c = 0; c < header->count(); ++c)
            before.push_back(header->sectionSize(c));
        const int wide = i == 0 ? 0 : 1; // User Name; Library Location
        w.window.resize(w.window.size() + QSize(300, 0));
        QApplication::processEvents();
        for (int c = 0; c < header->count(); ++c) {
            if (c == wide)
                EXPECT_EQ(header->sectionSize(c), before[std::size_t(c)] + 300) << i;
            else
                EXPECT_EQ(header->sectionSize(c), before[std::size_t(c)]) << i << " column " << c;
        }
        EXPECT_EQ(header->length(), t->list()->viewport()->width()) << "no gap after the last column";
        w.window.resize(w.window.minimumSize());
        QApplication::processEvents();
        EXPECT_EQ(header->sectionSize(wide), before[std::size_t(wide)]) << "back to its width";
    }
}

TEST(Workday, ARunOverUnmappedServerPathsGivesOneBoxThenASummary)
{
    Window w;
    std::string text = crlf({"Library: PO1.DOM.LIB0001"});
    for (int i = 0; i < 6; ++i)
        text += crlf({"   Error 50- BLOB file has no document reference: X.ACA", "   - Library ID: PO1.DOM.LIB0001",
                      "   - Document Num: " + std::to_string(1000 + i), "   - Version Num: 1",
                      "   - Author Name: JSMITH", "   - Author DPU: DOM.PO1.JSMITH", "   - File Extension: DOC",
                      "   - file copied to \\\\SRV\\VOL\\rescue\\F" + std::to_string(i) + ".ACA"});
    text += crlf({"PROCESSING COMPLETE"});
    TempLog log(text);
    ScanTab* t = w.tab(1);
    w.pickAndParse(1, log.path());
    ASSERT_TRUE(t->scan().awaitingContinue());

    QStringList boxes, summaries;
    QString button;
    bool tick = true;
    t->runMessages().setBoxes({[&](const QString& message, const QString& checkBox) {
                                   boxes << message;
                                   EXPECT_EQ(checkBox, "Do not show further messages for this run");
                                   return tick;
                               },
                               [&](const QString& summary, const QString& mappings) {
                                   summaries << summary;
                                   button = mappings;
                                   return true;
                               }});
    bool mappingsOpened = false;
    answerNextModal([&](QWidget* modal) {
        mappingsOpened = qobject_cast<PathMappingsDialog*>(modal) != nullptr;
        modal->close();
    });
    w.prompter.saveAnswers.push_back(log.dir() + "/import.csv");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning() && !summaries.isEmpty() && mappingsOpened; }));
    EXPECT_EQ(boxes, QStringList{"Source File \\\\SRV\\VOL\\rescue\\F0.ACA Not Found"}) << "the first box only";
    ASSERT_EQ(summaries.size(), 1);
    EXPECT_TRUE(summaries[0].startsWith("Completed Export - 0 Successful / 6 Failures\n\n6 rows: source file not found\n"))
        << summaries[0].toStdString();
    EXPECT_TRUE(summaries[0].contains("File > Path Mappings maps them to local folders"));
    EXPECT_EQ(button, "Path Mappings...");
    EXPECT_TRUE(w.prompter.messages.isEmpty());

    // The next run starts counting again, and shows every box until ticked.
    tick = false;
    boxes.clear();
    summaries.clear();
    QDir().mkpath(log.dir() + "/missing");
    t->session().setOutputDirectory(log.dir() + "/missing/gone");
    answerNextModal([](QWidget* modal) { modal->close(); });
    w.prompter.saveAnswers.push_back(log.dir() + "/import.csv");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning() && !summaries.isEmpty(); }));
    EXPECT_EQ(boxes, QStringList(6, "Target Output Directory does not Exist"));
    EXPECT_TRUE(summaries[0].contains("6 rows: output directory does not exist"));
    EXPECT_FALSE(summaries[0].contains("source file not found"));
    w.finish(1);
}

TEST(Workday, TheWindowsBoxesCarryTheCheckBoxAndTheMappingsButton)
{
    WidgetPrompter prompter;
    answerNextModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->checkBox(), nullptr);
        EXPECT_EQ(box->checkBox()->text(), "Do not show further messages for this run");
        EXPECT_EQ(box->text(), "Source File X Not Found");
        box->checkBox()->setChecked(true);
        box->accept();
    });
    EXPECT_TRUE(prompter.messageWithCheckBox("Source File X Not Found", RunMessages::checkBoxText()));
    answerNextModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == "Path Mappings...")
                b->click();
        }
    });
    EXPECT_TRUE(prompter.messageWithButton("summary", RunMessages::mappingsButtonText()));
    answerNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click(); });
    EXPECT_FALSE(prompter.messageWithButton("summary", RunMessages::mappingsButtonText()));
}

TEST(Workday, FindSelectsTheNextRowAndLeavesTheListAsItWas)
{
    Window w;
    TempLog log(users(30));
    w.pickAndParse(0, log.path());
    ScanTab* t = w.tab(0);
    ASSERT_TRUE(t->scan().awaitingContinue());
    const std::vector<std::string> rows = captions(t);
    ASSERT_EQ(rows.size(), 30u) << t->statusText()->text().toStdString();

    QTest::keyClick(&w.window, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(t->findBar()->isVisible());
    EXPECT_TRUE(t->findBar()->textBox()->hasFocus());
    QTest::keyClicks(t->findBar()->textBox(), "user2");
    // USER2 and USER20 to USER29, in the list's order.
    const auto current = [&] { return t->rows().at(std::size_t(t->list()->currentIndex().row())).caption; };
    EXPECT_EQ(current(), "USER2");
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "1 of 11");
    QTest::keyClick(&w.window, Qt::Key_F3);
    EXPECT_EQ(current(), "USER20");
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "2 of 11");
    QTest::keyClick(&w.window, Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(&w.window, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(current(), "USER29") << "round the top to the last";
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "11 of 11");
    EXPECT_EQ(t->list()->selectionModel()->selectedRows().size(), 1);
    QTest::keyClick(t->findBar()->textBox(), Qt::Key_Return);
    EXPECT_EQ(current(), "USER2") << "Enter finds the next";
    QTest::keyClicks(t->findBar()->textBox(), "x");
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "Not found");
    // A shown column matches as the caption does: FID f17.
    t->findBar()->textBox()->setText("F17");
    EXPECT_EQ(current(), "USER17");

    EXPECT_EQ(captions(t), rows) << "nothing hidden, moved or changed";
    QTest::keyClick(t->findBar()->textBox(), Qt::Key_Escape);
    EXPECT_FALSE(t->findBar()->isVisible());
    EXPECT_TRUE(t->continueButton()->hasFocus()) << "Enter goes on with the scan";

    // The actions still take every listed row.
    w.prompter.saveAnswers.push_back(log.dir() + "/all.txt");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning(); }));
    EXPECT_EQ(readAll(log.dir() + "/all.txt").count("\r\n"), 31);
    EXPECT_EQ(t->statusText()->text(), "Exported 30 rows to " + QDir::toNativeSeparators(log.dir() + "/all.txt"));
    // Again after a sort, the text kept and selected.
    t->onColumnClicked(0);
    QTest::keyClick(&w.window, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(t->findBar()->textBox()->selectedText(), "F17");
    QTest::keyClick(&w.window, Qt::Key_F3);
    EXPECT_EQ(current(), "USER17");
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "1 of 1");
    w.window.grab().save(QDir::temp().filePath("bw-find.png"));
    w.finish(0);
}

TEST(Workday, TheSortArrowShowsTheOrderTheRowsAreIn)
{
    Window w;
    TempLog log(users(3));
    w.pickAndParse(0, log.path());
    ScanTab* t = w.tab(0);
    QHeaderView* header = t->list()->header();
    // A click on another list flips the shared direction, so this first
    // click here sorts ascending.
    w.tab(2)->onColumnClicked(1);
    clickHeader(t->list(), 0);
    EXPECT_EQ(captions(t), (std::vector<std::string>{"USER0", "USER1", "USER2"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeader(t->list(), 0);
    EXPECT_EQ(captions(t), (std::vector<std::string>{"USER2", "USER1", "USER0"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    w.finish(0);
}

TEST(Workday, FileDialogsOpenBesideTheLogThenWhereTheLastWasLeft)
{
    TempLog log(users(1));
    const QString other = log.dir() + "/other";
    ASSERT_TRUE(QDir().mkpath(other));
    WidgetPrompter prompter;
    prompter.setLastFolder(log.dir());
    QString opened;
    answerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        opened = dialog->directory().absolutePath();
        // The user goes to another folder and names the file there.
        dialog->setDirectory(other);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("report.pdf");
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    const auto saved = prompter.saveFileAs("Save Report", {"PDF (*.pdf)"}, "pdf");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path, QDir::toNativeSeparators(other + "/report.pdf"));
    EXPECT_EQ(opened, QDir(log.dir()).absolutePath()) << "not the process's current folder";
    answerNextModal([&](QWidget* modal) {
        opened = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
        modal->close();
    });
    EXPECT_FALSE(prompter.saveFile("Enter Name", QString(), QString(), QString()));
    EXPECT_EQ(opened, QDir(other).absolutePath());
}
