#pragma once

#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "session/ScanSession.h"
#include "support/FakePrompter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bw::test {

// A session of one kind whose rows a test puts in directly, its log path
// and output folder in a temporary folder, and the prompter that answers.
struct ActionSession {
    FakePrompter prompter;
    SortState sort;
    ScanSession session;
    QTemporaryDir dir;

    explicit ActionSession(ScanKind kind)
        : session(kindProfile(kind), sort, prompter)
    {
        session.setSelfDriven(false);
        EXPECT_TRUE(dir.isValid());
    }

    QString path(const QString& relative) const { return dir.filePath(relative); }

    void addRow(const std::string& caption, const std::vector<std::string>& subItems)
    {
        session.rows().add(caption, subItems);
        session.rows().settle();
    }
};

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

} // namespace bw::test
