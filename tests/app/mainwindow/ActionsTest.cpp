#include "app/WindowHelpers.h"
#include "app/dialogs/PathMappingsDialog.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/StatusText.h"
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
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Window : ShownWindow {
    // Picks the log on tab i and scans to its first pause.
    void scanToPause(int i, const QString& log)
    {
        pick(i, log);
        QTest::mouseClick(tab(i)->parseButton(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return tab(i)->scan().awaitingContinue(); }));
    }
};

} // namespace

TEST(WindowActions, ExportButtonsWriteTheListAndShareOneSaveDialog)
{
    Window w;
    TempLog log(crlf({"CONTENTS VERIFICATION", "Checking user = BOB (b0b) - 10 KB, 12/10/03 13:45",
                      "10 bytes in use by user", "PROCESSING COMPLETE"}));
    w.scanToPause(0, log.path());
    const QString file = log.dir() + "/cont.txt";
    w.prompter.saveAnswers.push_back(file);
    QTest::mouseClick(w.tab(0)->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.tab(0)->session().actionRunning(); }));
    EXPECT_TRUE(readAll(file).endsWith("BOB\tb0b\t10\tN/A\tN/A\tN/A\t10\tZ\tN/A\tN/A\t\t12/10/03 13:45\r\n"));
    EXPECT_EQ(w.tab(0)->statusText()->text(), "Exported 1 row to " + QDir::toNativeSeparators(file));
    EXPECT_TRUE(w.tab(0)->continueButton()->isEnabled());
    QTest::mouseClick(w.tab(0)->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.tab(0)->scanRunning(); }));

    TempLog expire(crlf({"Novell GroupWise - GWCheck - Version 5.5.6", "----- Expire Statistics -----",
                         "JSMITH         (a4k - 7)        412 items 2268160 BYTES in user database",
                         "PROCESSING COMPLETE"}),
                   "expire.log");
    w.scanToPause(2, expire.path());
    w.prompter.saveAnswers.push_back(QString());
    QTest::mouseClick(w.tab(2)->actionButton(), Qt::LeftButton);
    EXPECT_EQ(w.prompter.questions.back(),
              "Enter Name for Tab Delimited Expire Statistics Export File|" + log.dir() + "|cont.txt|")
        << "the dialog opens where the other tab's export left it";
    EXPECT_FALSE(w.tab(2)->session().actionRunning());
}

TEST(WindowActions, TheRescueBlocksTheTabWhileItRunsAndShowsItsStatuses)
{
    Window w;
    std::string text = crlf({"Library: PO1.DOM.LIB0001"});
    for (int i = 0; i < 40; ++i)
        text += crlf({"   Error 50- BLOB file has no document reference: X.ACA", "   - Library ID: PO1.DOM.LIB0001",
                      "   - Document Num: " + std::to_string(1000 + i), "   - Version Num: 1",
                      "   - Author Name: JSMITH", "   - Author DPU: DOM.PO1.JSMITH", "   - File Extension: DOC",
                      "   - file copied to rescue\\F" + std::to_string(i) + ".ACA"});
    text += crlf({"PROCESSING COMPLETE"});
    TempLog log(text);
    for (int i = 0; i < 40; i += 2)
        writeFile(log.dir() + "/rescue/F" + QString::number(i) + ".ACA", "doc");
    ScanTab* t = w.tab(1);
    w.scanToPause(1, log.path());
    EXPECT_EQ(t->outputDirectoryBox()->text(), log.dir());

    const QString out = log.dir() + "/out";
    ASSERT_TRUE(QDir().mkpath(out));
    w.prompter.folderAnswers.push_back(out);
    QTest::mouseClick(t->outputDirectoryButton(), Qt::LeftButton);
    EXPECT_EQ(w.prompter.questions.back(), "Select the Required Output Directory|" + log.dir());
    EXPECT_EQ(t->outputDirectoryBox()->text(), out);

    int checked = 0;
    bool seenProgress = false;
    QObject::connect(&t->session(), &ScanSession::statusChanged, [&] {
        if (seenProgress || !t->session().status().startsWith("Exporting - "))
            return;
        seenProgress = true;
        for (QWidget* b : std::initializer_list<QWidget*>{t->parseButton(), t->continueButton(), t->printButton(),
                                                          t->actionButton(), t->pickButton(), t->outputDirectoryButton()}) {
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
            ++checked;
        }
        EXPECT_FALSE(t->list()->header()->sectionsClickable());
        EXPECT_FALSE(w.window.closeButton()->isEnabled());
    });
    EXPECT_TRUE(t->outputDirectoryBox()->toolTip().endsWith(
        "\nImport paths are local: no path mapping contains the output folder"));
    w.window.setPathMappings(PathMappings({{"\\\\FS1\\RESCUE", log.dir()}}));
    EXPECT_TRUE(t->outputDirectoryBox()->toolTip().endsWith("\nImport paths as \\\\FS1\\RESCUE\\out\\..."))
        << t->outputDirectoryBox()->toolTip().toStdString();
    w.window.setPathMappings(PathMappings());
    w.prompter.saveAnswers.push_back(log.dir() + "/import.csv");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    EXPECT_EQ(w.prompter.questions.back(), "Enter Name for NWAdmin Import CSV File|" + out + "||");
    EXPECT_EQ(w.window.findChild<QLabel*>("hintPanel")->text(),
              "Import paths are local: no path mapping contains the output folder")
        << "the window's status line says which form the import file takes";
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning(); }));
    EXPECT_EQ(checked, 6);
    EXPECT_EQ(t->statusText()->text(), "Completed Export - 20 Successful / 20 Failures");
    EXPECT_EQ(readAll(log.dir() + "/import.csv").count("\r\n"), 20);
    const QAbstractItemModel* m = t->list()->model();
    int ticked = 0;
    for (int r = 0; r < m->rowCount(); ++r)
        ticked += m->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    EXPECT_EQ(ticked, 20);
    EXPECT_TRUE(t->continueButton()->isEnabled());
    EXPECT_TRUE(t->list()->header()->sectionsClickable());
    // Between slices the window is there for the user, who cannot close it.
    t->session().setActionRunning(true);
    w.window.close();
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.prompter.messages.back(), "Please Wait until the Running Export Completes");
    t->session().setActionRunning(false);
    w.window.grab().save(QDir::temp().filePath("bw-rescued.png"));
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
}

TEST(WindowActions, TheRescueNeverFollowsALinkPlantedAtAMarkedNameOrInTheOutputTree)
{
    Window w;
    std::string text = crlf({"Library: PO1.DOM.LIB0001"});
    for (const char* n : {"1", "2"})
        text += crlf({"   Error 50- BLOB file has no document reference: X.ACA", "   - Library ID: PO1.DOM.LIB0001",
                      std::string("   - Document Num: ") + n, "   - Version Num: 1", "   - Author Name: JSMITH",
                      "   - Author DPU: DOM.PO1.JSMITH", "   - File Extension: DOC",
                      std::string("   - file copied to rescue\\F") + n + ".ACA"});
    text += crlf({"PROCESSING COMPLETE"});
    TempLog log(text);
    writeFile(log.dir() + "/rescue/F1.ACA", "one");
    writeFile(log.dir() + "/rescue/F2.ACA", "two");
    ASSERT_TRUE(QDir().mkpath(log.dir() + "/outside"));
    ASSERT_TRUE(QFile::link(log.dir() + "/outside/new", log.dir() + "/rescue/F1.xxx"));
    ScanTab* t = w.tab(1);
    w.scanToPause(1, log.path());
    const QString out = log.dir() + "/out";
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(QFile::link(log.dir() + "/outside", out + "/LIB0001"));
    w.prompter.folderAnswers.push_back(out);
    QTest::mouseClick(t->outputDirectoryButton(), Qt::LeftButton);
    w.prompter.saveAnswers.push_back(log.dir() + "/import.csv");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning(); }));
    ASSERT_EQ(w.prompter.messages.size(), 3) << "two rows, then the run's summary";
    EXPECT_EQ(w.prompter.messages.mid(0, 2), QStringList(2, "Error Creating Directory " + out + "/LIB0001"));
    EXPECT_EQ(t->statusText()->text(), "Completed Export - 0 Successful / 2 Failures");
    EXPECT_EQ(readAll(log.dir() + "/rescue/F1.ACA"), "one");
    EXPECT_EQ(readAll(log.dir() + "/rescue/F2.ACA"), "two");
    EXPECT_EQ(QDir(log.dir() + "/outside").entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList())
        << "nothing lands outside the output tree";

    // With a real library folder the copies are made, and the link at the
    // marked name stops only that source's rename.
    ASSERT_TRUE(QFile::remove(out + "/LIB0001"));
    w.prompter.messages.clear();
    w.prompter.saveAnswers.push_back(log.dir() + "/import.csv");
    QTest::mouseClick(t->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->session().actionRunning(); }));
    ASSERT_EQ(w.prompter.messages.size(), 2);
    EXPECT_EQ(w.prompter.messages[0], "Error Renaming File rescue\\F1.ACA");
    EXPECT_EQ(readAll(log.dir() + "/rescue/F1.ACA"), "one");
    EXPECT_FALSE(QFileInfo::exists(log.dir() + "/outside/new"));
    EXPECT_TRUE(QFileInfo::exists(log.dir() + "/rescue/F2.xxx"));
    EXPECT_EQ(readAll(log.dir() + "/import.csv").count("\r\n"), 2);
    QTest::mouseClick(t->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !t->scanRunning(); }));
}

TEST(WindowActions, BackdateRedatesTheListedFiles)
{
    Window w;
    TempLog log(crlf({"- checking area po", "- Checking directory 3A", "Error 52- Blob file with missing trailer: A.000",
                      "Return from FlmAdopt = 0xC067", "PROCESSING COMPLETE"}));
    writeFile(log.dir() + "/po/3a/a.000", "blob");
    const QDateTime t0(QDate(2004, 1, 10), QTime(10, 0, 1));
    {
        QFile f(log.dir() + "/po/3a/a.000");
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t0, QFileDevice::FileModificationTime));
    }
    w.scanToPause(3, log.path());
    QTest::mouseClick(w.tab(3)->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.tab(3)->session().actionRunning(); }));
    EXPECT_EQ(w.tab(3)->statusText()->text(), "Completed Redating - 1 Successful / 0 Failures");
    EXPECT_EQ(QFileInfo(log.dir() + "/po/3a/a.000").lastModified().toLocalTime(),
              QDateTime(QDate(2003, 12, 27), QTime(10, 0, 0)));
    QTest::mouseClick(w.tab(3)->continueButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.tab(3)->scanRunning(); }));
}

TEST(WindowActions, PathMappingsAreEditedInTheirDialogAndKept)
{
    FakePrompter prompter;
    PathMappingsDialog dialog(PathMappings(std::vector<PathMapping>{{"\\\\GWSRV01\\MAIL", "/mnt/mail"}}), prompter);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Path Mappings");
    prompter.textAnswers.push_back("G:\\MAIL");
    prompter.folderAnswers.push_back("/mnt/g");
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    prompter.textAnswers.push_back("\\");
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.messages, QStringList{"A prefix must name at least one folder or drive."});
    EXPECT_EQ(dialog.mappings(), PathMappings({{"\\\\GWSRV01\\MAIL", "/mnt/mail"}, {"G:\\MAIL", "/mnt/g"}}));
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    prompter.textAnswers.push_back("\\\\GWSRV02\\MAIL");
    prompter.folderAnswers.push_back("/mnt/two");
    QTest::mouseClick(dialog.editButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.questions.back(), "Local Folder for \\\\GWSRV02\\MAIL|/mnt/mail");
    dialog.grab().save(QDir::temp().filePath("bw-path-mappings.png"));
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    QTest::mouseClick(dialog.removeButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.mappings(), PathMappings(std::vector<PathMapping>{{"\\\\GWSRV02\\MAIL", "/mnt/two"}}));

    {
        Window w;
        EXPECT_NE(w.window.findChild<QAction*>("PathMappings1"), nullptr);
        w.window.setPathMappings(dialog.mappings());
        EXPECT_EQ(w.tab(3)->session().pathMappings(), dialog.mappings());
    }
    {
        Window again;
        EXPECT_EQ(again.window.pathMappings(), dialog.mappings()) << "kept between runs";
        again.window.setPathMappings(PathMappings());
    }
    EXPECT_TRUE(PathMappingsDialog::loadSettings().empty());
}
