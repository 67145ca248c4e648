#include "app/InstanceGuard.h"
#include "app/OtherUser.h"
#include "app/ScanTab.h"
#include "app/StartUp.h"
#include "app/TMainScreen.h"
#include "app/TSplash.h"
#include "support/FakePrompter.h"
#include "support/Wait.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalSocket>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace bw;
using namespace bw::test;

namespace {

// Starts of the real program against this process as the running instance
// (or the other way round). Each test has its own temporary folder, where
// both look for the guard's socket.
class InstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(m_tmp.path()));
    }
    void TearDown() override
    {
        for (QProcess* process : m_processes) {
            process->kill();
            process->waitForFinished(5000);
            delete process;
        }
        if (m_oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_oldTmp);
    }

    QProcess* start(const QStringList& arguments, const QString& workingDirectory = QString())
    {
        auto* process = new QProcess;
        m_processes.push_back(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TMPDIR"), m_tmp.path());
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!workingDirectory.isEmpty())
            process->setWorkingDirectory(workingDirectory);
        process->start(QStringLiteral(BW_APP_BINARY), arguments);
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }

    // A second start ends by itself, successfully.
    static bool endsAtOnce(QProcess* process)
    {
        return waitUntil([process] { return process->state() == QProcess::NotRunning; }, 10000)
               && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    }

    static bool answers(const QString& name)
    {
        QLocalSocket socket;
        socket.connectToServer(name);
        return socket.waitForConnected(200);
    }

    QTemporaryDir m_tmp;
    QByteArray m_oldTmp;
    std::vector<QProcess*> m_processes;
};

struct RunningWindow {
    FakePrompter prompter;
    TMainScreen window{prompter};
    InstanceGuard guard{StartUp::title()};
    int requests = 0;

    RunningWindow()
    {
        guard.setReceiver([this](const QString& logPath) {
            ++requests;
            StartUp::bringForward(window, logPath);
        });
    }
    bool requested(int count)
    {
        return waitUntil([this, count] { return requests >= count; });
    }
};

} // namespace

TEST_F(InstanceGuardTest, ASecondStartEndsAtOnceAndBringsTheFirstForward)
{
    RunningWindow first;
    ASSERT_FALSE(first.guard.anotherInstanceRuns());
    ASSERT_TRUE(first.guard.isListening());
    // Only the same user may reach the socket.
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(first.guard.fullServerName()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u);

    first.window.showMinimized();
    ASSERT_TRUE(waitUntil([&] { return first.window.isMinimized(); }));
    EXPECT_TRUE(endsAtOnce(start({})));
    ASSERT_TRUE(first.requested(1));
    EXPECT_FALSE(first.window.isMinimized());
    EXPECT_TRUE(first.window.isVisible());
    EXPECT_TRUE(first.window.tab(0)->logBox()->text().isEmpty());
}

TEST_F(InstanceGuardTest, AHandedOverLogIsPickedOnlyWhenNoScanRunsOnContentsCheck)
{
    RunningWindow first;
    ASSERT_FALSE(first.guard.anotherInstanceRuns());
    first.window.show();
    first.window.pageControl()->setCurrentIndex(2);
    // A relative path means the second start's folder.
    EXPECT_TRUE(endsAtOnce(start({QStringLiteral("contents.log")}, QStringLiteral(BW_SAMPLES))));
    ASSERT_TRUE(first.requested(1));
    const QString log = QFileInfo(QStringLiteral(BW_SAMPLES "/contents.log")).absoluteFilePath();
    EXPECT_EQ(first.window.tab(0)->logBox()->text(), log);
    EXPECT_EQ(first.window.pageControl()->currentIndex(), 0);

    // At a pause the window only comes forward; the scan waits on.
    ScanTab* tab = first.window.tab(0);
    tab->parseClick();
    ASSERT_TRUE(waitUntil([tab] { return tab->scan().awaitingContinue(); }));
    const std::size_t rows = tab->rows().size();
    EXPECT_TRUE(endsAtOnce(start({QStringLiteral("expire.log")}, QStringLiteral(BW_SAMPLES))));
    ASSERT_TRUE(first.requested(2));
    EXPECT_EQ(tab->logBox()->text(), log);
    EXPECT_TRUE(tab->scan().awaitingContinue());
    EXPECT_EQ(tab->rows().size(), rows);
}

TEST_F(InstanceGuardTest, StrayClientsAreNotTakenForALaterStart)
{
    RunningWindow first;
    ASSERT_FALSE(first.guard.anotherInstanceRuns());
    QLocalSocket junk;
    junk.connectToServer(first.guard.fullServerName());
    ASSERT_TRUE(junk.waitForConnected(1000));
    junk.write("GET / HTTP/1.0\r\n\r\n");
    // The right start, then a path that claims two gigabytes and runs on.
    QLocalSocket endless;
    endless.connectToServer(first.guard.fullServerName());
    ASSERT_TRUE(endless.waitForConnected(1000));
    endless.write(QByteArray::fromHex("42574b31"
                                      "7ffffffe")
                  + QByteArray(InstanceGuard::maxRequestBytes + 10, 'x'));
    EXPECT_TRUE(waitUntil([&] {
        return junk.state() == QLocalSocket::UnconnectedState && endless.state() == QLocalSocket::UnconnectedState;
    }));
    EXPECT_EQ(first.requests, 0);

    InstanceGuard second(StartUp::title());
    EXPECT_TRUE(second.anotherInstanceRuns(QStringLiteral(BW_SAMPLES "/contents.log")));
    ASSERT_TRUE(first.requested(1));
    EXPECT_EQ(first.window.tab(0)->logBox()->text(), QStringLiteral(BW_SAMPLES "/contents.log"));
}

TEST_F(InstanceGuardTest, TheServerOfAKilledInstanceDoesNotStopTheNextStart)
{
    QProcess* killed = start({QStringLiteral("/NS")});
    const QString name = InstanceGuard::serverName(StartUp::title());
    ASSERT_TRUE(waitUntil([&] { return answers(name); }, 10000));
    killed->kill();
    killed->waitForFinished(5000);
    ASSERT_TRUE(QFileInfo::exists(m_tmp.filePath(name)));

    InstanceGuard next(StartUp::title());
    EXPECT_FALSE(next.anotherInstanceRuns());
    EXPECT_TRUE(next.isListening());
}

TEST_F(InstanceGuardTest, AfterTheFirstHasClosedANewStartRunsAsTheFirst)
{
    {
        InstanceGuard closed(StartUp::title());
        ASSERT_FALSE(closed.anotherInstanceRuns());
    }
    QProcess* next = start({QStringLiteral("/NS")});
    const QString name = InstanceGuard::serverName(StartUp::title());
    EXPECT_TRUE(waitUntil([&] { return answers(name); }, 10000));
    EXPECT_EQ(next->state(), QProcess::Running);
}

TEST_F(InstanceGuardTest, AnotherUserCannotConnect)
{
    InstanceGuard first(StartUp::title());
    ASSERT_FALSE(first.anotherInstanceRuns());
    // The folder itself lets everyone in: only the socket's own rights keep
    // the other user out.
    ASSERT_EQ(chmod(QFile::encodeName(m_tmp.path()).constData(), 0755), 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BW_CONNECT_TO"), first.fullServerName());
    const std::optional<bool> passed =
        passesAsUser(65534, QStringLiteral("AsAnotherUser.DISABLED_CannotConnect"), environment);
    if (!passed)
        GTEST_SKIP() << "needs root and setpriv to run a process as another user";
    EXPECT_TRUE(*passed);
}

// Run by the test above as another user, never by itself.
TEST(AsAnotherUser, DISABLED_CannotConnect)
{
    const QString name = qEnvironmentVariable("BW_CONNECT_TO");
    ASSERT_FALSE(name.isEmpty());
    ASSERT_TRUE(QFileInfo::exists(name)) << "the socket should be in sight";
    QLocalSocket socket;
    socket.connectToServer(name);
    EXPECT_FALSE(socket.waitForConnected(1000));
    EXPECT_EQ(socket.error(), QLocalSocket::SocketAccessError);
    // Someone with no account entry is "<UNKNOWN>"; nobody has one.
    EXPECT_EQ(TSplash::wlGetUserName(), QStringLiteral("nobody"));
}
