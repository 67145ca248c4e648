#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

#include <unistd.h>

namespace bw::test {

// Runs one disabled test of this executable as the user id uid (which need
// not have an account), through setpriv. Nothing when this process is not
// root or setpriv is missing; otherwise whether the test passed.
inline std::optional<bool> passesAsUser(unsigned uid, const QString& test, QProcessEnvironment environment)
{
    if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        return std::nullopt;
    QTemporaryDir runtime;
    runtime.setAutoRemove(true);
    if (chown(QFile::encodeName(runtime.path()).constData(), uid, uid) != 0)
        return false;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString id = QString::number(uid);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id, QStringLiteral("--clear-groups"),
                 QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=") + test});
    if (!child.waitForFinished(60000))
        return false;
    // A filter that matches nothing passes too: the test must have run.
    const QByteArray output = child.readAll();
    const bool passed =
        child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test.");
    if (!passed)
        std::fprintf(stderr, "%s", output.constData());
    return passed;
}

} // namespace bw::test
