#include "lists/SortState.h"
#include "session/ScanSession.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

using Control = ScanSession::Control;

const std::string kTwoSections = crlf({
    "CONTENTS VERIFICATION",
    "Checking user = BOB (b0b) - 10 KB, 12/10/03 13:45",
    "   User stats: 5 InBox, 1 OutBox, 0 WasteBasket",
    "10 bytes in use by user",
    "Checking user = AL (a1a) - 9 KB, 12/10/03 13:46",
    "9 bytes in use by user",
    "PROCESSING COMPLETE",
    "CONTENTS VERIFICATION",
    "Checking user = CY (c1c) - 3 KB",
    "3 bytes in use by user",
    "PROCESSING COMPLETE",
});

// Parse, Continue, Print, Action, Pick, HeaderClicks, Close as "10110.."
std::string controls(const ScanSession& s)
{
    std::string out;
    for (Control c : {Control::Parse, Control::Continue, Control::Print, Control::Action, Control::Pick,
                      Control::HeaderClicks, Control::Close})
        out += s.isEnabled(c) ? '1' : '0';
    return out;
}

struct Session {
    FakePrompter prompter;
    SortState sort;
    ScanSession session;
    int paused = 0, ended = 0, controlChanges = 0;

    explicit Session(ScanKind kind)
        : session(kindProfile(kind), sort, prompter)
    {
        session.setSelfDriven(false);
        QObject::connect(&session, &ScanSession::scanPaused, [this] { ++paused; });
        QObject::connect(&session, &ScanSession::scanEnded, [this] { ++ended; });
        QObject::connect(&session, &ScanSession::controlsChanged, [this] { ++controlChanges; });
    }
};

} // namespace

TEST(ScanSession, ControlsFollowEveryStateOfTheWorkflow)
{
    Session s(ScanKind::Contents);
    EXPECT_EQ(controls(s.session), "0000101") << "fresh";
    s.session.parse();
    EXPECT_FALSE(s.session.scanRunning()) << "no log chosen";

    TempLog log(kTwoSections);
    ASSERT_TRUE(s.session.choose(log.path()));
    EXPECT_EQ(s.session.logPath(), log.path());
    EXPECT_EQ(s.session.status(), "Log File Selected");
    EXPECT_EQ(controls(s.session), "1000101") << "file chosen";

    s.session.parse();
    EXPECT_EQ(controls(s.session), "0000000") << "scanning: pick, header clicks and Close locked";
    EXPECT_FALSE(s.session.choose(log.path())) << "a second scan can never start";
    EXPECT_FALSE(s.session.sortByColumn(2));

    ASSERT_EQ(s.session.step(), Scan::Outcome::Paused);
    EXPECT_EQ(s.paused, 1);
    EXPECT_EQ(controls(s.session), "0111010") << "paused";
    EXPECT_EQ(s.session.status(), "Content Verification Section Completed - 2 Users");
    EXPECT_EQ(s.session.lineCounter(), "Processing Line 7");
    EXPECT_TRUE(s.session.sortByColumn(0));
    EXPECT_EQ(s.sort.direction, -1);
    EXPECT_EQ(s.session.rows().at(0).caption, "BOB");

    s.session.continueScan();
    EXPECT_EQ(controls(s.session), "0000000") << "scanning again";
    EXPECT_TRUE(s.session.rows().empty());
    ASSERT_EQ(s.session.step(), Scan::Outcome::Paused);
    s.session.continueScan();
    ASSERT_EQ(s.session.step(), Scan::Outcome::Finished);
    EXPECT_EQ(s.ended, 1);
    EXPECT_EQ(controls(s.session), "1000101") << "done with an empty list";
    EXPECT_EQ(s.session.status(), "Completed Parsing Log File");
    EXPECT_TRUE(s.prompter.errors.isEmpty());
}

TEST(ScanSession, AFailedOpenEndsTheScanThroughThePrompterAndUnlocks)
{
    Session s(ScanKind::Expire);
    TempLog log("");
    const QString missing = log.dir() + QStringLiteral("/gone.log");
    ASSERT_TRUE(s.session.choose(missing));
    s.session.parse();
    EXPECT_FALSE(s.session.scanRunning());
    EXPECT_EQ(s.ended, 1);
    EXPECT_EQ(s.prompter.errors, QStringList{missing + QStringLiteral(": No such file or directory")});
    EXPECT_EQ(s.session.status(), "Stopped Parsing Log File: No such file or directory");
    EXPECT_EQ(controls(s.session), "1000111");
}

TEST(ScanSession, DocumentSessionsProposeTheLogsFolderAndSortAtAnyTime)
{
    Session s(ScanKind::Documents);
    EXPECT_TRUE(s.session.isEnabled(Control::HeaderClicks));
    ASSERT_TRUE(s.session.choose(QStringLiteral("C:\\logs\\x.log")));
    EXPECT_EQ(s.session.outputDirectory(), "C:\\logs");
    s.session.setOutputDirectory(QStringLiteral("/tmp/out"));
    EXPECT_EQ(s.session.outputDirectory(), "/tmp/out");
    EXPECT_EQ(s.session.logPath(), "C:\\logs\\x.log");

    Session expire(ScanKind::Expire);
    ASSERT_TRUE(expire.session.choose(QStringLiteral("/var/log/x.log")));
    EXPECT_TRUE(expire.session.outputDirectory().isEmpty()) << "only Document Rescue has an output folder";
}

TEST(ScanSession, AnActionRunningRefusesEveryControlOfTheTab)
{
    Session s(ScanKind::Contents);
    TempLog log(kTwoSections);
    ASSERT_TRUE(s.session.choose(log.path()));
    s.session.parse();
    ASSERT_EQ(s.session.step(), Scan::Outcome::Paused);
    s.session.setActionRunning(true);
    EXPECT_EQ(controls(s.session), "0000000");
    EXPECT_FALSE(s.session.sortByColumn(0));
    EXPECT_FALSE(s.session.choose(log.path()));
    s.session.continueScan();
    EXPECT_TRUE(s.session.awaitingContinue()) << "Continue waits for the action";
    s.session.setActionRunning(false);
    EXPECT_EQ(controls(s.session), "0111010");
}

TEST(ScanSession, StructurePathsStartAtTheLogsFolderAndMappingsApply)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("logs/po/offiles/fd0/3a")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("mnt/po2/offiles/fd5/1f")));
    for (const char* f : {"logs/po/offiles/fd0/3a/4f2a1b00.000", "mnt/po2/offiles/fd5/1f/7a11c0de.000"}) {
        QFile file(dir.filePath(f));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1234567");
    }
    const QString logPath = dir.filePath("logs/check.log");
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write(crlf({"- checking area po\\OFFILES\\FD0", "- Checking directory 3A",
                    "Error 52- Blob file with missing trailer: 4F2A1B00.000", "Return from FlmAdopt = 0xC067",
                    "- checking area MAILSRV/GWVOL:\\PO2\\OFFILES\\FD5", "- Checking directory 1F",
                    "Error 52- Blob file with missing trailer: 7A11C0DE.000", "Return from FlmAdopt = 0xC067",
                    "PROCESSING COMPLETE"})
                  .c_str());
    log.close();

    Session s(ScanKind::Structure);
    s.session.setPathMappings(PathMappings({{"\\\\MAILSRV\\GWVOL", dir.filePath("mnt")}}));
    ASSERT_TRUE(s.session.choose(logPath));
    // The current directory is anywhere but the log's folder.
    ASSERT_NE(QDir::currentPath(), dir.filePath("logs"));
    s.session.parse();
    ASSERT_EQ(s.session.step(), Scan::Outcome::Paused);
    ASSERT_EQ(s.session.rows().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(s.session.rows().at(i).subItem(1), "7") << s.session.rows().at(i).caption;
}
