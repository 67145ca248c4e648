#include "actions/FileActions.h"
#include "actions/SaveLocation.h"
#include "actions/TabDelimitedExport.h"
#include "base/ExportFile.h"
#include "support/ActionFixture.h"
#include "support/SmallFileSystem.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

const char* const contentsHeader =
    "User Name\tUser FID\tUser DB Size\tInbox\tOutbox\tWasteBasket\tTotal Size\tOver Threshold\tSize Limit\t"
    "Threshold\tDepartment\tReport Date\r\n";

ActionRun::Outcome press(ActionSession& s, SaveLocation& dialog)
{
    auto run = FileActions::forActionButton(s.session, s.prompter, dialog);
    while (!run->step(ActionRun::Clock::time_point::max())) {
    }
    return run->outcome();
}

void contentsRows(ActionSession& s)
{
    s.addRow("JSMITH", {"k3f", "1024", "10", "2", "0", "1036", "U", "900", "800", "Sales", "12/10/03 13:45"});
    // A tab inside a value moves the rest of its line on by one field.
    s.addRow("ADOE", {"b2c", "77", "N/A", "1", "0", "77", "Z", "N/A", "N/A", "Ops\tEast", " 12/10/03 "});
}

} // namespace

TEST(TabDelimitedExport, ContentsBytesHeaderThenRowsInListOrder)
{
    ActionSession s(ScanKind::Contents);
    contentsRows(s);
    SaveLocation dialog;
    const QString file = s.path("cont.txt");
    s.prompter.saveAnswers.push_back(file);
    EXPECT_EQ(press(s, dialog), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(s.prompter.questions.back(), "Enter Name for Tab Delimited Content Results Export File|||");
    EXPECT_EQ(readAll(file), QByteArray(contentsHeader) +
                                 "ADOE\tb2c\t77\tN/A\t1\t0\t77\tZ\tN/A\tN/A\tOps\tEast\t 12/10/03 \r\n"
                                 "JSMITH\tk3f\t1024\t10\t2\t0\t1036\tU\t900\t800\tSales\t12/10/03 13:45\r\n");
    EXPECT_TRUE(s.prompter.errors.isEmpty());
    EXPECT_TRUE(s.session.status().isEmpty()) << "the export shows no status";

    // Descending by name: the reversed order. An empty list: the header alone.
    s.sort.click(0);
    s.session.rows().sort();
    s.prompter.saveAnswers.push_back(file);
    press(s, dialog);
    EXPECT_TRUE(readAll(file).startsWith(QByteArray(contentsHeader) + "JSMITH\t"));
    s.session.rows().clear();
    s.prompter.saveAnswers.push_back(file);
    press(s, dialog);
    EXPECT_EQ(readAll(file), QByteArray(contentsHeader));
}

TEST(TabDelimitedExport, ExpireBytesWithoutHeaderAndEmptyListGivesEmptyFile)
{
    ActionSession s(ScanKind::Expire);
    s.addRow("JSMITH", {"Userk3f.db", "Msg7.db", "1024"});
    s.addRow("ADOE", {"Userb2c.db", "Msg12.db", "77"});
    s.addRow("CY", {"Userc.db", "Msg1.db", ""});
    SaveLocation dialog;
    const QString file = s.path("mess.txt");
    s.prompter.saveAnswers.push_back(file);
    EXPECT_EQ(press(s, dialog), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(s.prompter.questions.back(), "Enter Name for Tab Delimited Expire Statistics Export File|||");
    EXPECT_EQ(readAll(file), QByteArray("ADOE\tUserb2c.db\tMsg12.db\t77\r\n"
                                        "CY\tUserc.db\tMsg1.db\t\r\n"
                                        "JSMITH\tUserk3f.db\tMsg7.db\t1024\r\n"));
    s.session.rows().clear();
    s.prompter.saveAnswers.push_back(file);
    press(s, dialog);
    EXPECT_EQ(readAll(file), QByteArray());
}

TEST(TabDelimitedExport, TheSaveDialogRemembersItsFolderAndNameAndCancelWritesNothing)
{
    ActionSession s(ScanKind::Expire);
    s.addRow("A", {"u", "m", "1"});
    SaveLocation dialog;
    s.prompter.saveAnswers.push_back(s.path("first.txt"));
    press(s, dialog);
    s.prompter.saveAnswers.push_back(QString()); // cancelled
    EXPECT_EQ(press(s, dialog), ActionRun::Outcome::Cancelled);
    EXPECT_EQ(s.prompter.questions.back(),
              "Enter Name for Tab Delimited Expire Statistics Export File|" + s.dir.path() + "|first.txt|");
    EXPECT_EQ(dialog.name(), "first.txt");
    EXPECT_FALSE(QFileInfo::exists(s.path("second.txt")));
}

TEST(TabDelimitedExport, ReplacesAnEarlierFileWholeAndKeepsItWhenWritingFails)
{
    ActionSession s(ScanKind::Expire);
    s.addRow("A", {"u", "m", "1"});
    SaveLocation dialog;
    const QString file = s.path("mess.txt");
    writeFile(file, "an earlier export that is longer than the new one\r\n");
    s.prompter.saveAnswers.push_back(file);
    press(s, dialog);
    EXPECT_EQ(readAll(file), QByteArray("A\tu\tm\t1\r\n"));

    // Into a folder that is not there: the box names the file and the reason.
    const QString missing = s.path("nowhere/mess.txt");
    s.prompter.saveAnswers.push_back(missing);
    EXPECT_EQ(press(s, dialog), ActionRun::Outcome::Failed);
    ASSERT_EQ(s.prompter.errors.size(), 1);
    EXPECT_TRUE(s.prompter.errors[0].startsWith(QDir::toNativeSeparators(missing) + ": ")) << s.prompter.errors[0].toStdString();
    EXPECT_GT(s.prompter.errors[0].size(), missing.size() + 2);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(TabDelimitedExport, AFullFileSystemLeavesTheEarlierExportAndNoPartialFile)
{
    SmallFileSystem small(64 * 1024);
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << small.reason();
    ActionSession s(ScanKind::Expire);
    for (int i = 0; i < 3000; ++i)
        s.session.rows().add("USER" + std::to_string(i), {"Userk3f.db", "Msg7.db", "1024"});
    s.session.rows().settle();
    const QString file = small.path("mess.txt");
    writeFile(file, "earlier\r\n");
    SaveLocation dialog;
    s.prompter.saveAnswers.push_back(file);
    EXPECT_EQ(press(s, dialog), ActionRun::Outcome::Failed);
    ASSERT_EQ(s.prompter.errors.size(), 1);
    EXPECT_EQ(s.prompter.errors[0], QDir::toNativeSeparators(file) + ": No space left on device");
    EXPECT_EQ(readAll(file), QByteArray("earlier\r\n"));
    EXPECT_EQ(QDir(small.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"mess.txt"});
}
