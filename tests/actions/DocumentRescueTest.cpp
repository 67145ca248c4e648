#include "actions/DocumentExport.h"
#include "actions/DocumentRescue.h"
#include "actions/ExportFile.h"
#include "actions/FileActions.h"
#include "actions/SaveDialog.h"
#include "support/ActionFixture.h"
#include "support/SmallFileSystem.h"

#include <QDirIterator>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Rescue : ActionSession {
    SaveDialog dialog;
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
    EXPECT_TRUE(FileActions::SpdBOPDirClick(r.session, r.prompter));
    EXPECT_EQ(r.prompter.questions.back(), "Select the Required Output Directory|" + r.out);
    EXPECT_EQ(r.session.outputDirectory(), r.path("picked"));
    EXPECT_FALSE(FileActions::SpdBOPDirClick(r.session, r.prompter)) << "cancelled";
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
