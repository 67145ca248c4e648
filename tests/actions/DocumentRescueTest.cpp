#include "actions/DocumentExport.h"
#include "actions/DocumentRescue.h"
#include "actions/FileActions.h"
#include "actions/ImportJournal.h"
#include "actions/SaveLocation.h"
#include "base/ExportFile.h"
#include "support/ActionFixture.h"
#include "support/SmallFileSystem.h"

#include <QDirIterator>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Rescue : ActionSession {
    SaveLocation dialog;
    QString out;

    Rescue()
        : ActionSession(ScanKind::Documents)
    {
        writeFile(path("logs/docs.log"), "log\r\n");
        EXPECT_TRUE(session.choose(path("logs/docs.log")));
        out = path("out");
        QDir().mkpath(out);
        session.setOutputDirectory(out);
    }

    // document, version, author, library, extension, output file
    void doc(const std::string& number, const std::string& version, const std::string& author,
             const std::string& library, const std::string& extension, const std::string& source)
    {
        addRow(number, {version, author, library, "DOM1.PO1." + author, extension, source});
    }

    ActionRun::Outcome press(const QString& csv)
    {
        prompter.saveAnswers.push_back(csv);
        auto run = FileActions::forActionButton(session, prompter, dialog);
        while (!run->step(ActionRun::Clock::time_point::max())) {
        }
        return run->outcome();
    }

    std::vector<bool> checks()
    {
        std::vector<bool> out;
        for (std::size_t i = 0; i < session.rows().size(); ++i)
            out.push_back(session.rows().at(i).checked);
        return out;
    }

    QByteArray csvLine(const char* author, const char* doc, const char* version, const QString& target) const
    {
        return QByteArray("\"") + author + "\",\"" + author + "\",\"" + doc + "\",\"" + version + "\",\"" +
               QFile::encodeName(target) + "\",\"ReImported on " +
               QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toLocal8Bit() + "\"\r\n";
    }
};

} // namespace

TEST(DocumentRescue, CopiesRelativeAbsoluteAndMappedSourcesAndWritesTheImportFile)
{
    Rescue r;
    writeFile(r.path("logs/rescue/A1.ACA"), "relative");
    writeFile(r.path("abs/B2.aca"), "absolute!");
    writeFile(r.path("mnt/rescue/lib0001/c3"), "mapped source");
    // An absolute path is changed only under a mapped folder: here one that maps to itself.
    r.session.setPathMappings(
        PathMappings({{"\\\\GWSRV01\\RESCUE", r.path("mnt/rescue")}, {r.path("abs"), r.path("abs")}}));
    const QString cwd = QDir::currentPath();

    r.doc("1234", "2", "JSMITH", "LIB0001", "doc", "rescue\\A1.ACA");
    r.doc("1235", "1", "JSMITH", "LIB0001", "xls", r.path("abs/B2.aca").toStdString());
    r.doc("1236", "4", "MBROWN", "LIB0002", "wpd", "\\\\gwsrv01\\Rescue\\LIB0001\\C3");
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);

    EXPECT_EQ(r.prompter.questions.back(), "Enter Name for NWAdmin Import CSV File|" + r.out + "||");
    EXPECT_TRUE(r.prompter.messages.isEmpty()) << r.prompter.messages.join(u'\n').toStdString();
    const QString t1 = r.out + "/LIB0001/JSMITH/1234_2.doc";
    const QString t2 = r.out + "/LIB0001/JSMITH/1235_1.xls";
    const QString t3 = r.out + "/LIB0002/MBROWN/1236_4.wpd";
    EXPECT_EQ(readAll(t1), "relative");
    EXPECT_EQ(readAll(t2), "absolute!");
    EXPECT_EQ(readAll(t3), "mapped source");
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/rescue/A1.xxx")));
    EXPECT_TRUE(QFileInfo::exists(r.path("abs/B2.xxx")));
    EXPECT_TRUE(QFileInfo::exists(r.path("mnt/rescue/lib0001/c3.xxx"))) << "no extension: .xxx added";
    EXPECT_FALSE(QFileInfo::exists(r.path("logs/rescue/A1.ACA")));
    EXPECT_EQ(readAll(csv), r.csvLine("JSMITH", "1234", "2", t1) + r.csvLine("JSMITH", "1235", "1", t2) +
                                r.csvLine("MBROWN", "1236", "4", t3));
    EXPECT_EQ(r.checks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(r.session.status(), "Completed Export - 3 Successful / 0 Failures");
    EXPECT_EQ(QDir::currentPath(), cwd) << "the current directory is left alone";
}

TEST(DocumentRescue, TheImportLineCarriesTheLastPartOfTheDpuTwiceAndTheLocalesShortDate)
{
    EXPECT_EQ(DocumentRescue::csvLine("DOM1.PO1.JSMITH", "1234", "2", "D:\\Rescue\\LIB0001\\JSMITH\\1234_2.doc",
                                      QLocale(QLocale::English, QLocale::UnitedStates)
                                          .toString(QDate(2007, 5, 24), QLocale::ShortFormat)),
              "\"JSMITH\",\"JSMITH\",\"1234\",\"2\",\"D:\\Rescue\\LIB0001\\JSMITH\\1234_2.doc\","
              "\"ReImported on 5/24/07\"\r\n");
    // No full stop: the whole value; a quote inside stays single.
    EXPECT_EQ(DocumentRescue::csvLine("JS\"MITH", "1", "2", "t", "x"),
              "\"JS\"MITH\",\"JS\"MITH\",\"1\",\"2\",\"t\",\"ReImported on x\"\r\n");
}

TEST(DocumentRescue, AMissingOutputDirectoryFailsEveryRowWithItsMessage)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "x");
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    r.doc("2", "1", "A", "L", "doc", "missing.aca");
    r.doc("3", "1", "A", "L", "doc", "FIX Not Selected");
    r.session.setOutputDirectory(r.path("gone"));
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(r.prompter.messages, QStringList(3, "Target Output Directory does not Exist"));
    EXPECT_EQ(r.session.status(), "Completed Export - 0 Successful / 3 Failures");
    EXPECT_EQ(readAll(csv), "<missing>") << "a run that wrote no line makes no import file";
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/a.aca")));
}

TEST(DocumentRescue, AnExistingTargetCountsWhenItIsTheSameFileAndIsNeverOverwritten)
{
    Rescue r;
    writeFile(r.path("logs/same.aca"), "abcde");
    writeFile(r.path("logs/other.aca"), "123456789");
    writeFile(r.path("logs/equal.aca"), "12345");
    writeFile(r.out + "/L/A/1_1.doc", "abcde");
    writeFile(r.out + "/L/A/2_1.doc", "short");
    writeFile(r.out + "/L/A/3_1.doc", "54321");
    r.doc("1", "1", "A", "L", "doc", "same.aca");
    r.doc("2", "1", "A", "L", "doc", "other.aca");
    r.doc("3", "1", "A", "L", "doc", "equal.aca");
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(readAll(r.out + "/L/A/1_1.doc"), "abcde");
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/same.xxx"))) << "a copy with its bytes is there: marked";
    EXPECT_EQ(readAll(r.out + "/L/A/2_1.doc"), "short");
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/other.aca"))) << "another file is there: not marked";
    EXPECT_EQ(readAll(r.out + "/L/A/3_1.doc"), "54321");
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/equal.aca"))) << "the same size is not the same file";
    EXPECT_EQ(r.prompter.messages, (QStringList{"Error Copying File " + r.out + "/L/A/2_1.doc",
                                                "Error Copying File " + r.out + "/L/A/3_1.doc"}));
    EXPECT_EQ(r.checks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(readAll(csv), r.csvLine("A", "1", "1", r.out + "/L/A/1_1.doc"));
}

TEST(DocumentRescue, ASecondRunFindsNoSourcesAndTheFailingRenameStillExports)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "a");
    writeFile(r.path("logs/b.aca"), "b");
    writeFile(r.path("logs/b.xxx"), "in the way of the rename");
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    r.doc("2", "1", "A", "L", "doc", "b.aca");
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(r.prompter.messages, QStringList{"Error Renaming File b.aca"});
    EXPECT_EQ(r.checks(), (std::vector<bool>{true, true}));
    EXPECT_EQ(readAll(csv).count("\r\n"), 2);

    r.prompter.messages.clear();
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::SomeRowsFailed);
    // b.aca was never renamed, and its copy is there: it counts again.
    EXPECT_EQ(r.prompter.messages, (QStringList{"Source File a.aca Not Found", "Error Renaming File b.aca"}));
    EXPECT_EQ(r.checks(), (std::vector<bool>{false, true}));
    EXPECT_EQ(r.session.status(), "Completed Export - 1 Successful / 1 Failures");
}

TEST(DocumentRescue, ValuesThatWouldLeaveTheOutputDirectoryFailTheRow)
{
    Rescue r;
    writeFile(r.path("logs/s.aca"), "s");
    r.doc("1", "1", "A", "..", "doc", "s.aca");
    r.doc("2", "1", "", "L", "doc", "s.aca");
    r.doc("3", "1", "A", "L/../..", "doc", "s.aca");
    r.doc("4", "1", "..\\..", "L", "doc", "s.aca");
    r.doc("../../5", "1", "A", "L", "doc", "s.aca");
    r.doc("6", "N/A", "A", "L", "doc", "s.aca");
    r.doc("7", "1", "A", "L", "d/../../x", "s.aca");
    r.doc("8", "1", ".", "L", "doc", "s.aca");
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    const QString o = r.out + "/";
    QStringList messages = r.prompter.messages;
    messages.sort();
    QStringList expected;
    for (const char* dir : {"..", "L/", "L/../..", "L/..\\..", "L/A", "L/A", "L/A", "L/."})
        expected << "Error Creating Directory " + o + dir;
    expected.sort();
    EXPECT_EQ(messages, expected);
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/s.aca"))) << "the source keeps its name";
    QDirIterator it(r.dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList entries;
    while (it.hasNext())
        entries << QDir(r.dir.path()).relativeFilePath(it.next());
    entries.sort();
    EXPECT_EQ(entries, (QStringList{"logs", "logs/docs.log", "logs/s.aca", "out"}));
}

TEST(DocumentRescue, TheImportFileIsWrittenWholeOrNotAtAll)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "a");
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    // Cancelled: nothing happens.
    EXPECT_EQ(r.press(QString()), ActionRun::Outcome::Cancelled);
    EXPECT_EQ(r.session.status(), "Log File Selected") << "cancelled: nothing happens";
    // A name in a missing folder: the error box, and no row is touched.
    const QString bad = r.path("nowhere/import.csv");
    EXPECT_EQ(r.press(bad), ActionRun::Outcome::Failed);
    ASSERT_EQ(r.prompter.errors.size(), 1);
    EXPECT_TRUE(r.prompter.errors[0].startsWith(bad + ": "));
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/a.aca")));
    EXPECT_FALSE(QFileInfo::exists(r.out + "/L"));
    EXPECT_EQ(r.session.status(), "Exporting Document Files and Creating Import File");
}

TEST(DocumentRescue, ALogFolderThatIsGoneSaysDirectoryResetFailedAndGoesOn)
{
    Rescue r;
    writeFile(r.path("abs/abs.aca"), "x");
    r.session.setPathMappings(PathMappings({{r.path("abs"), r.path("abs")}}));
    r.doc("1", "1", "A", "L", "doc", r.path("abs/abs.aca").toStdString());
    ASSERT_TRUE(QDir(r.path("logs")).removeRecursively());
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(r.prompter.messages, QStringList{"Directory Reset Failed"});
}

TEST(DocumentRescue, TheBrowseButtonStartsAtTheOutputDirectoryAndADriveGetsItsBackslash)
{
    Rescue r;
    EXPECT_EQ(FileActions::browseStart("C:"), "C:\\");
    EXPECT_EQ(FileActions::browseStart("C:\\x"), "C:\\x");
    r.prompter.folderAnswers.push_back(r.path("picked"));
    EXPECT_TRUE(FileActions::chooseOutputDirectory(r.session, r.prompter));
    EXPECT_EQ(r.prompter.questions.back(), "Select the Required Output Directory|" + r.out);
    EXPECT_EQ(r.session.outputDirectory(), r.path("picked"));
    EXPECT_FALSE(FileActions::chooseOutputDirectory(r.session, r.prompter)) << "cancelled";
    EXPECT_EQ(r.session.outputDirectory(), r.path("picked"));
}

TEST(DocumentRescue, LinksAndParentPartsAreNeverFollowedToASource)
{
    Rescue r;
    writeFile(r.path("secret/x.000"), "secret");
    QDir().mkpath(r.path("logs/offiles"));
    ASSERT_TRUE(QFile::link(r.path("secret/x.000"), r.path("logs/offiles/link.000")));
    r.doc("1", "1", "AL", "LIB", "doc", "offiles/link.000");
    r.doc("2", "1", "AL", "LIB", "doc", "..\\secret\\x.000");
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_TRUE(QFile::exists(r.path("secret/x.000"))) << "the source is not renamed";
    EXPECT_TRUE(QFileInfo(r.path("logs/offiles/link.000")).isSymLink());
    ASSERT_EQ(r.prompter.messages.size(), 2);
    for (const QString& m : r.prompter.messages)
        EXPECT_TRUE(m.startsWith(u"Source File ") && m.endsWith(u" Not Found")) << m.toStdString();
}

TEST(DocumentRescue, AFullOrReadOnlyOutputTreeFailsTheRowAndKeepsTheSource)
{
    SmallFileSystem small(64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << small.reason();
    Rescue r;
    r.session.setOutputDirectory(small.root());
    writeFile(r.path("logs/big.000"), QByteArray(200 * 1024, 'b'));
    writeFile(r.path("logs/small.000"), "small");
    r.doc("1", "1", "AL", "LIB", "doc", "big.000");
    r.doc("2", "1", "AL", "LIB", "doc", "small.000");
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/big.000"))) << "a source whose copy failed keeps its name";
    EXPECT_FALSE(QFileInfo::exists(small.path("LIB/AL/1_1.doc"))) << "no partial copy is left";
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/small.xxx")));
    EXPECT_EQ(r.checks(), (std::vector<bool>{false, true}));

    ASSERT_TRUE(small.makeReadOnly());
    Rescue again;
    again.session.setOutputDirectory(small.root());
    writeFile(again.path("logs/new.000"), "new");
    again.doc("3", "1", "BO", "LIB2", "doc", "new.000");
    EXPECT_EQ(again.press(again.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_TRUE(QFileInfo::exists(again.path("logs/new.000")));
    ASSERT_EQ(again.prompter.messages.size(), 1);
    EXPECT_TRUE(again.prompter.messages[0].startsWith(u"Error Creating Directory ")) << again.prompter.messages[0].toStdString();
}

TEST(DocumentRescue, APlantedLinkAtTheMarkedNameOrInTheOutputTreeIsNeverFollowed)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "document a");
    writeFile(r.path("logs/b.aca"), "document b");
    writeFile(r.path("logs/c.aca"), "document c");
    writeFile(r.path("outside/kept"), "kept");
    QDir().mkpath(r.path("elsewhere"));
    // A dangling link and a link to a file, where the sources' marked names go.
    ASSERT_TRUE(QFile::link(r.path("outside/new"), r.path("logs/a.xxx")));
    ASSERT_TRUE(QFile::link(r.path("outside/kept"), r.path("logs/b.xxx")));
    // A library folder and an author folder that lead out of the output tree.
    ASSERT_TRUE(QFile::link(r.path("elsewhere"), r.out + "/LINKED"));
    QDir().mkpath(r.out + "/LIB");
    ASSERT_TRUE(QFile::link(r.path("elsewhere"), r.out + "/LIB/AUTHOR"));
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    r.doc("2", "1", "A", "L", "doc", "b.aca");
    r.doc("3", "1", "A", "LINKED", "doc", "c.aca");
    r.doc("4", "1", "AUTHOR", "LIB", "doc", "c.aca");
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(r.prompter.messages, (QStringList{"Error Renaming File a.aca", "Error Renaming File b.aca",
                                                "Error Creating Directory " + r.out + "/LINKED",
                                                "Error Creating Directory " + r.out + "/LIB/AUTHOR"}));
    EXPECT_EQ(readAll(r.path("logs/a.aca")), "document a") << "the source stays in place";
    EXPECT_EQ(readAll(r.path("logs/b.aca")), "document b");
    EXPECT_EQ(readAll(r.path("logs/c.aca")), "document c");
    EXPECT_FALSE(QFileInfo::exists(r.path("outside/new"))) << "nothing is written through the link";
    EXPECT_EQ(readAll(r.path("outside/kept")), "kept");
    EXPECT_TRUE(QDir(r.path("elsewhere")).isEmpty()) << "no copy lands outside the output tree";
    EXPECT_EQ(r.checks(), (std::vector<bool>{true, true, false, false}));
}

TEST(DocumentRescue, AnAbsoluteSourceIsRescuedOnlyBelowTheLogsFolderOrAMappedFolder)
{
    Rescue r;
    writeFile(r.path("etc/app.conf"), "configuration");
    writeFile(r.path("etc/other.conf"), "other");
    writeFile(r.path("store/x.aca"), "in the store");
    writeFile(r.path("logs/in/y.aca"), "beside the log");
    r.session.setPathMappings(PathMappings({{"\\\\SRV\\STORE", r.path("store")}}));
    r.doc("1", "1", "A", "L", "doc", r.path("etc/app.conf").toStdString());
    r.doc("2", "1", "A", "L", "doc", r.path("etc/other.conf").toStdString());
    r.doc("3", "1", "A", "L", "doc", r.path("store/x.aca").toStdString());
    r.doc("4", "1", "A", "L", "doc", r.path("logs/in/y.aca").toStdString());
    EXPECT_EQ(r.press(r.path("import.csv")), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(readAll(r.path("etc/app.conf")), "configuration");
    EXPECT_EQ(readAll(r.path("etc/other.conf")), "other");
    EXPECT_TRUE(QFileInfo::exists(r.path("store/x.xxx"))) << "below a mapped folder";
    EXPECT_TRUE(QFileInfo::exists(r.path("logs/in/y.xxx"))) << "below the log's folder";
    EXPECT_EQ(r.prompter.messages.size(), 2);
    EXPECT_EQ(r.session.status(), "Completed Export - 2 Successful / 2 Failures - 2 outside the log's folder and "
                                  "every mapped folder: a path mapping allows them");
}

TEST(DocumentRescue, AnEarlierImportFileIsKeptByARunThatWritesNoLine)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "a");
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    const QByteArray first = readAll(csv);
    ASSERT_EQ(first.count("\r\n"), 1);
    // The same rows again: every source is marked now.
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(readAll(csv), first);
    // No output directory.
    r.session.setOutputDirectory(r.path("gone"));
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(readAll(csv), first);
    // No rows.
    r.session.rows().clear();
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(readAll(csv), first);
    EXPECT_FALSE(QFileInfo::exists(ImportJournal::journalPath(csv))) << "an empty journal is not left behind";
}

TEST(DocumentRescue, AFullDiskUnderTheImportFileStopsTheRunBeforeTheNextRename)
{
    SmallFileSystem small(64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << small.reason();
    Rescue r;
    for (int i = 0; i < 200; ++i) {
        const std::string n = std::to_string(i);
        writeFile(r.path(QString::fromStdString("logs/s" + n + ".aca")), "x");
        r.doc(n, "1", "A", "L", "doc", "s" + n + ".aca");
    }
    // Fill the file system, then leave one page for the journal.
    const QString filler = small.path("filler");
    {
        QFile f(filler);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (f.write(block) == block.size() && f.flush()) {
        }
    }
    ASSERT_TRUE(QFile(filler).resize(QFileInfo(filler).size() - 4096));
    const QString csv = small.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Failed);
    ASSERT_EQ(r.prompter.errors.size(), 1);
    EXPECT_EQ(r.prompter.errors[0], csv + ": " + QString::fromLocal8Bit(std::strerror(ENOSPC)));
    // Exactly the rows whose lines are in the journal were renamed.
    QFile journal(ImportJournal::journalPath(csv));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    const QByteArray lines = journal.readAll();
    int renamed = 0;
    for (int i = 0; i < 200; ++i) {
        const QString n = QString::number(i);
        if (QFileInfo::exists(r.path("logs/s" + n + ".xxx"))) {
            ++renamed;
            EXPECT_TRUE(lines.contains("/L/A/" + n.toUtf8() + "_1.doc\"")) << i;
        } else {
            EXPECT_TRUE(QFileInfo::exists(r.path("logs/s" + n + ".aca"))) << i;
        }
    }
    EXPECT_EQ(renamed, lines.count("\r\n"));
    EXPECT_GT(renamed, 0);
    EXPECT_LT(renamed, 200);
    EXPECT_FALSE(QFileInfo::exists(csv));
}

TEST(DocumentRescue, ASourceWrittenToDuringTheRescueKeepsItsNameAndLeavesNoCopy)
{
    Rescue r;
    const QString source = r.path("logs/growing.aca");
    writeFile(source, QByteArray(32 * 1024 * 1024, 'g'));
    r.doc("1", "1", "A", "L", "doc", "growing.aca");
    std::atomic<bool> done = false;
    std::thread writer([&] {
        QFile f(source);
        if (!f.open(QIODevice::Append))
            return;
        while (!done) {
            f.write("+");
            f.flush();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const auto outcome = r.press(r.path("import.csv"));
    done = true;
    writer.join();
    EXPECT_EQ(outcome, ActionRun::Outcome::SomeRowsFailed);
    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_FALSE(QFileInfo::exists(r.path("logs/growing.xxx")));
    EXPECT_FALSE(QFileInfo::exists(r.out + "/L/A/1_1.doc"));
    EXPECT_EQ(r.prompter.messages, QStringList{"Error Copying File " + r.out + "/L/A/1_1.doc"});
    EXPECT_FALSE(QFileInfo::exists(r.path("import.csv")));
}

TEST(DocumentRescue, NamesThatAreNoTextStayTheSameBytesOnDiskAndInTheImportFile)
{
    Rescue r;
    const std::string logs = QFile::encodeName(r.path("logs")).toStdString();
    const std::string source = logs + "/R\xC9SUM\xC9.ACA";
    {
        const int fd = ::open(source.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "latin-1 named", 13), 13);
        ::close(fd);
        const timespec times[2] = {{1100000000, 0}, {1100000000, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    }
    r.addRow("7", {"1", "JOS\xC9", "L", "DOM.PO.JOS\xC9", "doc", "R\xC9SUM\xC9.ACA"});
    const QString csv = r.path("import.csv");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded) << r.prompter.messages.join(u'\n').toStdString();
    const std::string target = QFile::encodeName(r.out).toStdString() + "/L/JOS\xC9/7_1.doc";
    struct stat st{};
    ASSERT_EQ(::stat(target.c_str(), &st), 0) << "the author folder carries the log's bytes";
    EXPECT_EQ(st.st_mtim.tv_sec, 1100000000) << "the copy keeps the source's last-write time";
    EXPECT_EQ(::access((logs + "/R\xC9SUM\xC9.xxx").c_str(), F_OK), 0);
    const int fd = ::open(target.c_str(), O_RDONLY);
    char bytes[32] = {};
    EXPECT_EQ(::read(fd, bytes, sizeof bytes), 13);
    ::close(fd);
    EXPECT_STREQ(bytes, "latin-1 named");
    const QByteArray line = readAll(csv);
    EXPECT_TRUE(line.startsWith("\"JOS\xC9\",\"JOS\xC9\",\"7\",\"1\",\"" + QByteArray::fromStdString(target) + "\",")) << line.toStdString();
    // Qt cannot name these to remove them.
    ::unlink(target.c_str());
    ::rmdir((QFile::encodeName(r.out).toStdString() + "/L/JOS\xC9").c_str());
    ::unlink((logs + "/R\xC9SUM\xC9.xxx").c_str());
}

TEST(DocumentRescue, AJournalLeftByAnInterruptedRunIsFoldedInAndASecondWriterIsRefused)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "a");
    r.doc("1", "1", "A", "L", "doc", "a.aca");
    const QString csv = r.path("import.csv");
    const QByteArray earlier = r.csvLine("B", "9", "1", r.out + "/L/B/9_1.doc");
    // An interrupted run's lines, the last one cut short by the crash.
    writeFile(ImportJournal::journalPath(csv), earlier + "\"B\",\"B\",\"10\"");
    {
        ImportJournal other(csv);
        ASSERT_TRUE(other.open());
        EXPECT_EQ(r.press(csv), ActionRun::Outcome::Failed);
        EXPECT_EQ(r.prompter.errors, QStringList{csv + ": another rescue is writing this import file"});
        EXPECT_TRUE(QFileInfo::exists(r.path("logs/a.aca"))) << "nothing is done while another run writes";
    }
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(readAll(csv), earlier + r.csvLine("A", "1", "1", r.out + "/L/A/1_1.doc"));
    EXPECT_FALSE(QFileInfo::exists(ImportJournal::journalPath(csv)));

    // A line written again for the same document and target, on another day,
    // takes the earlier one's place.
    EXPECT_EQ(ImportJournal::folded("\"A\",\"A\",\"1\",\"1\",\"t1\",\"ReImported on 1/1/26\"\r\n"
                                    "\"A\",\"A\",\"2\",\"1\",\"t2\",\"ReImported on 1/1/26\"\r\n"
                                    "\"A\",\"A\",\"1\",\"1\",\"t1\",\"ReImported on 1/2/26\"\r\n"),
              "\"A\",\"A\",\"1\",\"1\",\"t1\",\"ReImported on 1/2/26\"\r\n"
              "\"A\",\"A\",\"2\",\"1\",\"t2\",\"ReImported on 1/1/26\"\r\n");
}

TEST(DocumentRescue, TheImportLineNamesTheCopyAsTheServerSeesItThroughTheLongestMapping)
{
    Rescue r;
    writeFile(r.path("logs/a.aca"), "a");
    writeFile(r.path("logs/b.aca"), "b");
    r.doc("1", "1", "JOS\xC9", "L", "doc", "a.aca");
    const QString csv = r.path("import.csv");
    // No mapping holds the output folder: local paths.
    r.session.setPathMappings(PathMappings({{"\\\\FS1\\OTHER", r.path("other")}}));
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    const QByteArray local = QFile::encodeName(r.out) + "/L/JOS\xC9/1_1.doc";
    EXPECT_TRUE(readAll(csv).contains(",\"" + local + "\",")) << readAll(csv).toStdString();
    EXPECT_EQ(r.session.importPathNote(), "Import paths are local: no path mapping contains the output folder");

    // The output folder below two mapped folders: the longer one names it.
    r.session.setPathMappings(PathMappings({{"\\\\FS1\\DATA", r.dir.path()}, {"\\\\FS1\\RESCUE\\", r.out}}));
    r.session.rows().clear();
    r.doc("2", "1", "JOS\xC9", "L", "doc", "b.aca");
    EXPECT_EQ(r.press(csv), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(r.session.importPathNote(), "Import paths as \\\\FS1\\RESCUE\\...");
    EXPECT_TRUE(readAll(csv).startsWith("\"JOS\xC9\",\"JOS\xC9\",\"2\",\"1\",\"\\\\FS1\\RESCUE\\L\\JOS\xC9\\2_1.doc\","))
        << readAll(csv).toStdString();
    // The copy is where it always was.
    const std::string copy = QFile::encodeName(r.out).toStdString() + "/L/JOS\xC9/2_1.doc";
    EXPECT_EQ(::access(copy.c_str(), F_OK), 0);

    // One folder up: the rest of the way in the server's separators.
    r.session.setPathMappings(PathMappings({{"\\\\FS1\\DATA", r.dir.path()}}));
    EXPECT_EQ(r.session.importFolder(), "\\\\FS1\\DATA\\out");
    r.session.setImportPrefix("\\\\FS2\\R\\");
    EXPECT_EQ(r.session.importFolder(), "\\\\FS2\\R") << "a prefix for the run names it whatever the mappings say";
    ::unlink(copy.c_str());
    ::unlink((QFile::encodeName(r.out).toStdString() + "/L/JOS\xC9/1_1.doc").c_str());
    ::rmdir((QFile::encodeName(r.out).toStdString() + "/L/JOS\xC9").c_str());
}
