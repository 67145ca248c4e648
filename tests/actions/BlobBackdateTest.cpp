#include "actions/BlobBackdate.h"
#include "support/ActionFixture.h"
#include "support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace bw;
using namespace bw::test;

namespace {

struct Backdate : ActionSession {
    Backdate()
        : ActionSession(ScanKind::Structure)
    {
        writeFile(path("logs/check.log"), "log\r\n");
        EXPECT_TRUE(session.choose(path("logs/check.log")));
    }

    // A BLOB file under the log's folder, last written at local time t.
    QString blob(const QString& relative, const QDateTime& t)
    {
        const QString p = path("logs/" + relative);
        writeFile(p, "blob");
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite));
        EXPECT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
        return p;
    }

    void row(const std::string& location, const std::string& name, const std::string& outcome = "Too Recent")
    {
        addRow(name, {location, "4", "", "Unknown", outcome});
    }

    ActionRun::Outcome press()
    {
        BlobBackdate run(session, prompter);
        while (!run.step(ActionRun::Clock::time_point::max())) {
        }
        return run.outcome();
    }

    std::vector<QString> statuses;
};

QDateTime modified(const QString& path)
{
    return QFileInfo(path).lastModified().toLocalTime();
}

const QDateTime jan10(QDate(2004, 1, 10), QTime(10, 0, 1));

} // namespace

TEST(BlobBackdate, MovesTheTimeBackFourteenDaysAtEvenSecondsAndTwiceIsTwentyEight)
{
    Backdate b;
    const QString file = b.blob("po/offiles/fd0/3a/4f2a1b00.000", jan10);
    b.row("po\\OFFILES\\FD0", "3A\\4F2A1B00.000");
    std::vector<QString> statuses;
    QObject::connect(&b.session, &ScanSession::statusChanged, [&] { statuses.push_back(b.session.status()); });
    EXPECT_EQ(b.press(), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(modified(file), QDateTime(QDate(2003, 12, 27), QTime(10, 0, 0)));
    EXPECT_EQ(statuses, (std::vector<QString>{"Redating BLOB Files", "Redating BLOB Files - 1 Successful / 0 Failures",
                                              "Completed Redating - 1 Successful / 0 Failures"}));
    EXPECT_TRUE(b.prompter.messages.isEmpty());
    b.press();
    EXPECT_EQ(modified(file), QDateTime(QDate(2003, 12, 13), QTime(10, 0, 0)));
}

TEST(BlobBackdate, DeletedRowsFailSilentlyAndEveryOtherOutcomeIsBackdated)
{
    Backdate b;
    const char* outcomes[] = {"Too Recent", "Already Copied", "0x8209", "0xC067", "Unknown"};
    std::vector<QString> files;
    for (int i = 0; i < 5; ++i) {
        // Built with Qt: GCC 12 at -O3 warns falsely (-Wrestrict) on the std::string sum.
        const std::string name = QStringLiteral("F%1.000").arg(i).toStdString();
        files.push_back(b.blob(QString::fromStdString("area/" + name), jan10));
        b.row("area", name, outcomes[i]);
    }
    b.blob("area/GONE.000", jan10);
    b.row("area", "GONE.000", "Deleted");
    b.row("area", "MISSING.000", "Too Recent");
    EXPECT_EQ(b.press(), ActionRun::Outcome::SomeRowsFailed);
    for (const QString& f : files)
        EXPECT_EQ(modified(f).date(), QDate(2003, 12, 27)) << f.toStdString();
    EXPECT_EQ(modified(b.path("logs/area/GONE.000")), jan10);
    EXPECT_EQ(b.prompter.messages, QStringList{"Source File area\\MISSING.000 Not Found"});
    EXPECT_EQ(b.session.status(), "Completed Redating - 5 Successful / 2 Failures");
}

TEST(BlobBackdate, ATimeBefore1980AfterTheShiftFailsWithItsCodeAndKeepsItsTime)
{
    Backdate b;
    const QDateTime early(QDate(1980, 1, 5), QTime(12, 0, 0));
    const QString file = b.blob("a/OLD.000", early);
    b.row("a", "OLD.000");
    EXPECT_EQ(b.press(), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(b.prompter.messages, QStringList{"File Redate Failed - Error 22"});
    EXPECT_EQ(modified(file), early);
}

TEST(BlobBackdate, AnEmptyListGoesStraightToItsCompletion)
{
    Backdate b;
    EXPECT_EQ(b.press(), ActionRun::Outcome::Succeeded);
    EXPECT_EQ(b.session.status(), "Completed Redating - 0 Successful / 0 Failures");
}

TEST(BlobBackdate, MappedAndAbsoluteLocationsAreFound)
{
    Backdate b;
    const QString mapped = b.blob("../mnt/po2/offiles/fd5/1f/7a11c0de.000", jan10);
    const QString absolute = b.blob("../abs/X.000", jan10);
    // An absolute path is changed only under a mapped folder: here one that maps to itself.
    b.session.setPathMappings(PathMappings({{"\\\\MAILSRV\\GWVOL", b.path("mnt")}, {b.path("abs"), b.path("abs")}}));
    b.row("\\\\mailsrv\\gwvol\\PO2\\OFFILES\\FD5", "1F\\7A11C0DE.000");
    b.row(b.path("abs").toStdString(), "X.000");
    EXPECT_EQ(b.press(), ActionRun::Outcome::Succeeded) << b.prompter.messages.join(u'\n').toStdString();
    EXPECT_EQ(modified(mapped).date(), QDate(2003, 12, 27));
    EXPECT_EQ(modified(absolute).date(), QDate(2003, 12, 27));
}

TEST(BlobBackdate, AFileThatCannotBeOpenedForWritingEndsTheRun)
{
    Backdate b;
    SmallFileSystem small(64 * 1024);
    const bool root = ::geteuid() == 0;
    if (root && !small.mounted())
        GTEST_SKIP() << "as root a read-only file needs a read-only mount: " << small.reason();
    const QString first = b.blob("a/A.000", jan10);
    const QString last = b.blob("a/C.000", jan10);
    const QString locked = root ? small.path("B.000") : b.path("logs/a/B.000");
    writeFile(locked, "blob");
    if (root) {
        ASSERT_TRUE(small.makeReadOnly()) << small.reason();
        b.session.setPathMappings(PathMappings({{small.root(), small.root()}}));
    }
    else {
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner));
    }
    b.row("a", "A.000");
    b.row(QFileInfo(locked).path().toStdString(), "B.000");
    b.row("a", "C.000");
    EXPECT_EQ(b.press(), ActionRun::Outcome::Failed);
    EXPECT_EQ(modified(first).date(), QDate(2003, 12, 27));
    EXPECT_EQ(modified(last), jan10) << "rows after it are not processed";
    ASSERT_EQ(b.prompter.errors.size(), 1);
    EXPECT_TRUE(b.prompter.errors[0].startsWith(locked + ": ")) << b.prompter.errors[0].toStdString();
    EXPECT_EQ(b.session.status(), "Redating BLOB Files - 1 Successful / 0 Failures");
}

TEST(BlobBackdate, OnlyRegularFilesReachedWithoutLinksOrParentPartsAreChanged)
{
    Backdate b;
    const QString target = b.blob("outside/victim.000", jan10);
    QDir().mkpath(b.path("logs/po/offiles/fd1"));
    ASSERT_TRUE(QFile::link(target, b.path("logs/po/offiles/fd1/link.000")));
    QDir().mkpath(b.path("logs/po/offiles/fd1/dir.000"));
    b.row("po\\OFFILES\\FD1", "link.000");
    b.row("po\\OFFILES\\FD1", "dir.000");
    b.row("po\\OFFILES\\..\\..", "outside\\victim.000");
    EXPECT_EQ(b.press(), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(modified(target), jan10) << "neither the link nor the parent parts reach it";
    ASSERT_EQ(b.prompter.messages.size(), 3);
    for (const char* name : {"link.000", "dir.000", "victim.000"})
        EXPECT_EQ(b.prompter.messages.filter(QString::fromLatin1(name) + QStringLiteral(" Not Found")).size(), 1) << name;
}

TEST(BlobBackdate, OnlyExistingFilesBelowTheLogsFolderOrAMappedFolderAreChangedAndNoneIsCreated)
{
    Backdate b;
    const QString outside = b.blob("../etc/app.conf", jan10);
    const QString mapped = b.blob("../var/mail/X.000", jan10);
    b.session.setPathMappings(PathMappings({{b.path("var/mail"), b.path("var/mail")}}));
    b.row(b.path("etc").toStdString(), "app.conf");
    b.row(b.path("var/mail").toStdString(), "X.000");
    // Deleted since the scan listed it.
    b.row("area", "GONE.000");
    EXPECT_EQ(b.press(), ActionRun::Outcome::SomeRowsFailed);
    EXPECT_EQ(modified(outside), jan10);
    EXPECT_EQ(modified(mapped).date(), QDate(2003, 12, 27)) << "an identity mapping allows a local store";
    EXPECT_FALSE(QFileInfo::exists(b.path("logs/area/GONE.000"))) << "not created";
    EXPECT_EQ(b.prompter.messages.size(), 2);
    EXPECT_EQ(b.session.status(), "Completed Redating - 1 Successful / 2 Failures - 1 outside the log's folder and "
                                  "every mapped folder: a path mapping allows them");
}
