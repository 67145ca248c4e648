#include "app/InstanceGuard.h"
#include "app/OtherUser.h"
#include "app/StartUp.h"
#include "app/dialogs/SplashWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ScanTab.h"
#include "support/FakePrompter.h"
#include "support/Wait.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalSocket>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
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
        // The user's runtime folder, where the guard's socket is.
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        ASSERT_TRUE(QDir(m_tmp.path()).mkdir(QStringLiteral("runtime")));
        ASSERT_TRUE(QFile::setPermissions(m_tmp.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_tmp.filePath(QStringLiteral("runtime"))));
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
        if (m_oldRuntime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
    }

    QProcess* start(const QStringList& arguments, const QString& workingDirectory = QString())
    {
        auto* process = new QProcess;
        m_processes.push_back(process);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TMPDIR"), m_tmp.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_tmp.filePath(QStringLiteral("runtime")));
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
    QByteArray m_oldRuntime;
    std::vector<QProcess*> m_processes;
};

struct RunningWindow {
    FakePrompter prompter;
    MainWindow window{prompter};
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
    first.window.tabWidget()->setCurrentIndex(2);
    // A relative path means the second start's folder.
    EXPECT_TRUE(endsAtOnce(start({QStringLiteral("contents.log")}, QStringLiteral(BW_SAMPLES))));
    ASSERT_TRUE(first.requested(1));
    const QString log = QFileInfo(QStringLiteral(BW_SAMPLES "/contents.log")).absoluteFilePath();
    EXPECT_EQ(first.window.tab(0)->logBox()->text(), log);
    EXPECT_EQ(first.window.tabWidget()->currentIndex(), 0);

    // At a pause the window only comes forward; the scan waits on.
    ScanTab* tab = first.window.tab(0);
    tab->onParseClicked();
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
    ASSERT_TRUE(QFileInfo::exists(name));

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
    // The folders themselves let everyone in: only the socket's own rights
    // keep the other user out.
    ASSERT_EQ(chmod(QFile::encodeName(m_tmp.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(QFileInfo(first.fullServerName()).path()).constData(), 0755), 0);
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
    EXPECT_EQ(SplashWindow::userName(), QStringLiteral("nobody"));
}

TEST_F(InstanceGuardTest, TheSocketIsInAFolderOnlyTheUserMayEnter)
{
    const QString runtime = m_tmp.filePath(QStringLiteral("runtime"));
    const QString name = InstanceGuard::serverName(StartUp::title());
    EXPECT_EQ(QFileInfo(name).path(), runtime);
    // A runtime folder others may enter is not used: a folder of the user's
    // own under the temporary folder is made instead.
    ASSERT_EQ(chmod(QFile::encodeName(runtime).constData(), 0755), 0);
    const QString own = m_tmp.filePath(QFileInfo(name).fileName() + QStringLiteral(".d"));
    EXPECT_EQ(InstanceGuard::serverName(StartUp::title()), own + u'/' + QFileInfo(name).fileName());
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(own).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // When that one is open to others too, the program runs without a guard.
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0777), 0);
    EXPECT_EQ(InstanceGuard::serverName(StartUp::title()), QString());
    InstanceGuard unguarded(StartUp::title());
    EXPECT_FALSE(unguarded.anotherInstanceRuns(QStringLiteral("/a/log")));
    EXPECT_FALSE(unguarded.isListening());
}

TEST_F(InstanceGuardTest, ASocketOfAnotherUserIsHandedNothingAndTheStartRunsAsTheFirst)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to bind a socket as another user";
    // The other user binds a socket where it may, and it is put where the
    // guard looks, as on a shared temporary folder.
    ASSERT_EQ(chmod(QFile::encodeName(m_tmp.path()).constData(), 0711), 0);
    const QString open = m_tmp.filePath(QStringLiteral("open"));
    ASSERT_TRUE(QDir(m_tmp.path()).mkdir(QStringLiteral("open")));
    ASSERT_EQ(chmod(QFile::encodeName(open).constData(), 0777), 0);
    const QByteArray squat = QFile::encodeName(open + QStringLiteral("/s"));
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(squat.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, squat.constData(), static_cast<std::size_t>(squat.size()));
    int ready[2], heard[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(heard), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only calls that are safe after a fork of a threaded process.
        const int s = socket(AF_UNIX, SOCK_STREAM, 0);
        if (setgid(65534) != 0 || setuid(65534) != 0 || s < 0
            || bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(s, 4) != 0)
            _exit(1);
        char one = 1;
        if (write(ready[1], &one, 1) != 1)
            _exit(1);
        for (;;) {
            const int c = accept(s, nullptr, nullptr);
            char buffer[4096];
            ssize_t n;
            while (c >= 0 && (n = read(c, buffer, sizeof buffer)) > 0) {
                if (write(heard[1], buffer, static_cast<std::size_t>(n)) != n)
                    _exit(1);
            }
            if (c >= 0)
                close(c);
        }
    }
    close(ready[1]);
    close(heard[1]);
    char one = 0;
    const bool bound = read(ready[0], &one, 1) == 1;
    // Where a local server of that name listens.
    QString name = InstanceGuard::serverName(StartUp::title());
    if (!QDir::isAbsolutePath(name))
        name = QDir(QDir::tempPath()).filePath(name);
    const bool moved = bound && rename(squat.constData(), QFile::encodeName(name).constData()) == 0;
    bool another = true;
    bool listening = false;
    if (moved) {
        InstanceGuard guard(StartUp::title());
        another = guard.anotherInstanceRuns(QStringLiteral("/the/secret.log"));
        listening = guard.isListening();
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    char buffer[256];
    const ssize_t told = read(heard[0], buffer, sizeof buffer);
    close(ready[0]);
    close(heard[0]);
    ASSERT_TRUE(moved) << "the other user's socket could not be set up";
    EXPECT_FALSE(another);
    EXPECT_TRUE(listening);
    EXPECT_EQ(told, 0) << "the other user was told something";
}

TEST_F(InstanceGuardTest, StrayArgumentsGetTheUsageAndStatusTwoAndHandNothingOver)
{
    RunningWindow first;
    ASSERT_FALSE(first.guard.anotherInstanceRuns());
    for (const QStringList& arguments : {QStringList{QStringLiteral("/ns")}, QStringList{QStringLiteral("a.log"), QStringLiteral("b.log")},
                                         QStringList{QStringLiteral("--no-such-switch")}}) {
        QProcess* process = start(arguments);
        ASSERT_TRUE(waitUntil([process] { return process->state() == QProcess::NotRunning; }, 10000));
        EXPECT_EQ(process->exitCode(), 2) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(first.requests, 0);
    // The usage goes to standard error; a second start that only raises the
    // first says nothing.
    QProcess stray;
    stray.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    stray.start(QStringLiteral(BW_APP_BINARY), {QStringLiteral("/ns")});
    ASSERT_TRUE(stray.waitForFinished(10000));
    const QByteArray err = stray.readAllStandardError();
    EXPECT_TRUE(err.contains("brindlewick: unknown switch '/ns'")) << err.constData();
    EXPECT_TRUE(err.contains("Usage: ")) << err.constData();
    QProcess second;
    second.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    second.start(QStringLiteral(BW_APP_BINARY), {QStringLiteral("/NS")});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), QByteArray());
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
}

TEST_F(InstanceGuardTest, APathTooLongToHandOverIsRefusedOnStandardError)
{
    RunningWindow first;
    ASSERT_FALSE(first.guard.anotherInstanceRuns());
    const QString longPath = QStringLiteral("/") + QString(40000, u'a') + QStringLiteral(".log");
    InstanceGuard second(StartUp::title());
    EXPECT_TRUE(second.anotherInstanceRuns(longPath));
    EXPECT_TRUE(second.refused());
    QCoreApplication::processEvents();
    EXPECT_EQ(first.requests, 0);
    // A path that fits goes over as before.
    InstanceGuard third(StartUp::title());
    EXPECT_TRUE(third.anotherInstanceRuns(QStringLiteral(BW_SAMPLES "/contents.log")));
    EXPECT_FALSE(third.refused());
    EXPECT_TRUE(first.requested(1));
}

