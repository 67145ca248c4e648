#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>

namespace bw::test {

// A small tmpfs mounted for one test, to fill a file system for real. Only
// where the test may mount (as root in a container); otherwise mounted()
// is false and reason() says why.
class SmallFileSystem {
public:
    explicit SmallFileSystem(int bytes)
    {
        if (!m_dir.isValid())
            return;
        m_mounted = run({"-t", "tmpfs", "-o", "size=" + QString::number(bytes), "tmpfs", m_dir.path()});
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }

    bool mounted() const { return m_mounted; }
    std::string reason() const { return m_reason.toStdString(); }
    QString root() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Fills it with a file named "filler" until nothing is free, then frees
    // about bytes again (whole pages), so that a write can start and run out.
    bool fillLeaving(qint64 bytes)
    {
        QFile filler(path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        return filler.resize(std::max<qint64>(0, filler.size() - bytes));
    }
    // Mounts it again read-only (files in it can then not be opened for writing).
    bool makeReadOnly() { return run({"-o", "remount,ro", m_dir.path()}); }

private:
    bool run(const QStringList& args)
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"), args);
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0) {
            m_reason = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed() + mount.errorString();
            return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace bw::test
