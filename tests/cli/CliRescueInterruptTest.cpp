#include "actions/ImportJournal.h"
#include "support/ActionFixture.h"
#include "support/ScanRecorder.h"

#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include <signal.h>

using namespace bw;
using namespace bw::test;

namespace {

constexpr int kRows = 1000;

// A documents log of kRows records, each naming its own source beside the log.
std::string bigDocumentLog()
{
    std::string log = crlf({"Library: PO1.DOM.LIB0001"});
    for (int i = 0; i < kRows; ++i) {
        const std::string n = std::to_string(i);
        log += crlf({"   Error 50- BLOB file has no document reference: X.ACA", "   - Library ID: PO1.DOM.LIB0001",
                     "   - Document Num: " + n, "   - Version Num: 1", "   - Author Name: A",
                     "   - Author DPU: DOM.PO1.A", "   - File Extension: DOC", "   - file copied to src\\S" + n + ".ACA"});
    }
    return log + crlf({"PROCESSING COMPLETE"});
}

struct Store {
    TempLog log{bigDocumentLog()};
    QString out = log.dir() + "/out";
    QString csv = log.dir() + "/import.csv";

    Store()
    {
        QDir().mkpath(out);
        for (int i = 0; i < kRows; ++i)
            writeFile(source(i, ".ACA"), "document " + QByteArray::number(i));
    }
    QString source(int i, const char* extension) const
    {
        return log.dir() + "/src/S" + QString::number(i) + extension;
    }
    QString copy(int i) const { return out + "/LIB0001/A/" + QString::number(i) + "_1.DOC"; }
    QStringList args() const
    {
        return {"scan", "documents", log.path(), "--rescue", out, "--csv", csv};
    }

    // Every source is either in place or marked, and a marked one has an
    // identical copy and exactly one line among lines.
    void expectWhole(const QByteArray& lines, int& marked) const
    {
        std::map<QByteArray, int> perTarget;
        for (const QByteArray& line : lines.split('\n')) {
            const QList<QByteArray> fields = line.split(',');
            if (fields.size() == 6)
                ++perTarget[fields[4]];
        }
        marked = 0;
        for (int i = 0; i < kRows; ++i) {
            const bool inPlace = QFileInfo::exists(source(i, ".ACA"));
            const bool isMarked = QFileInfo::exists(source(i, ".xxx"));
            ASSERT_NE(inPlace, isMarked) << i;
            if (!isMarked)
                continue;
            ++marked;
            EXPECT_EQ(readAll(copy(i)), "document " + QByteArray::number(i)) << i;
            EXPECT_EQ(perTarget['"' + QFile::encodeName(copy(i)) + '"'], 1) << i;
        }
    }
};

// Starts the rescue, stops it with the signal once some lines are journalled.
void interrupt(const Store& store, int signal)
{
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QStringLiteral(BW_CLI), store.args());
    ASSERT_TRUE(cli.waitForStarted());
    const QString journal = ImportJournal::journalPath(store.csv);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (QFileInfo(journal).size() < 50 * 100 && std::chrono::steady_clock::now() < until &&
           cli.state() == QProcess::Running)
        QThread::usleep(200);
    ASSERT_EQ(cli.state(), QProcess::Running) << "the run ended before it could be interrupted";
    ::kill(static_cast<pid_t>(cli.processId()), signal);
    ASSERT_TRUE(cli.waitForFinished(30000));
}

} // namespace

TEST(CliRescueInterrupt, AfterSigkillOrSigintEveryMarkedSourceHasItsCopyAndOneLineAndARerunCompletesTheRest)
{
    for (const int signal : {SIGKILL, SIGINT}) {
        SCOPED_TRACE(signal == SIGKILL ? "SIGKILL" : "SIGINT");
        Store store;
        writeFile(store.csv, "an earlier run's import file\r\n");
        interrupt(store, signal);
        EXPECT_EQ(readAll(store.csv), "an earlier run's import file\r\n") << "not replaced by a run that stopped";
        int marked = 0;
        store.expectWhole(readAll(ImportJournal::journalPath(store.csv)), marked);
        EXPECT_GT(marked, 0);
        EXPECT_LT(marked, kRows);

        // The same run again: the marked sources are not found, the others
        // are rescued, and the import file gets every line once.
        QProcess again;
        again.setStandardOutputFile(QProcess::nullDevice());
        again.setStandardErrorFile(QProcess::nullDevice());
        again.start(QStringLiteral(BW_CLI), store.args());
        ASSERT_TRUE(again.waitForFinished(120000));
        EXPECT_EQ(again.exitCode(), 3) << "the sources marked before are not found";
        int all = 0;
        const QByteArray lines = readAll(store.csv);
        store.expectWhole(lines, all);
        EXPECT_EQ(all, kRows);
        EXPECT_EQ(lines.count("\r\n"), kRows);
        EXPECT_FALSE(QFileInfo::exists(ImportJournal::journalPath(store.csv)));
    }
}
