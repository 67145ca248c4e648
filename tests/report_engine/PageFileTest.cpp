#include "report_engine/DemoReport.h"
#include "report_engine/PageFile.h"
#include "report_engine/PageFileHelpers.h"
#include "report_engine/PageList.h"
#include "report_engine/PrintJob.h"
#include "support/QtPrinting.h"

#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace bw::test {
namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class PageFileTest : public ::testing::Test {
protected:
    // A finished job of the demonstration report, saved as a page file.
    QString saved(int rows, const QString& name)
    {
        DemoReport demo(DemoReport::rows(rows));
        PrintJob job(&demo.report);
        EXPECT_TRUE(job.generate());
        const QString path = dir.filePath(name);
        QString error;
        EXPECT_TRUE(job.save(path, &error)) << error.toStdString();
        // The job's own pages: running the report again could cross a second
        // of the date-time field.
        std::vector<ReportPage>& made = pages[name];
        made.clear();
        for (int i = 1; i <= job.pageCount(); ++i)
            made.push_back(job.page(i).value());
        return path;
    }

    std::vector<ReportPage> pagesOf(const QString& path)
    {
        PageList list;
        EXPECT_TRUE(list.loadFromFile(path));
        std::vector<ReportPage> out;
        for (int i = 1; i <= list.pageCount(); ++i)
            out.push_back(list.page(i).value());
        return out;
    }

    QTemporaryDir dir;
    std::map<QString, std::vector<ReportPage>> pages;
};

TEST_F(PageFileTest, HeaderIsOursAndPagesReadBackIdentical)
{
    const QString path = saved(200, QStringLiteral("five.qrp"));
    const std::vector<ReportPage>& made = pages[QStringLiteral("five.qrp")];
    ASSERT_EQ(made.size(), 5u);
    const QByteArray bytes = readAll(path);
    ASSERT_GT(bytes.size(), 128);
    QByteArray header(128, '\0');
    header.replace(0, 4, "BWQR");
    header[4] = 1;
    header[8] = 5;
    EXPECT_EQ(bytes.left(128).toHex(), header.toHex());
    EXPECT_EQ(pagesOf(path), made);
}

TEST_F(PageFileTest, ListMovesToATemporaryFileAbove100000Bytes)
{
    DemoReport demo(DemoReport::rows(1500));
    const std::vector<ReportPage> made = demo.report.pages();
    PageList list;
    std::size_t i = 0;
    while (list.inMemory() && i < made.size())
        list.append(made[i++]);
    ASSERT_FALSE(list.inMemory());
    EXPECT_GT(list.stream().size(), PageList::memoryLimit);
    EXPECT_LE(list.stream().size() - static_cast<qint64>(PageFile::encodePage(made[i - 1]).size()) - 4,
              PageList::memoryLimit);
    while (i < made.size())
        list.append(made[i++]);
    ASSERT_EQ(list.pageCount(), static_cast<int>(made.size()));
    EXPECT_EQ(list.page(1), made.front());
    EXPECT_EQ(list.page(list.pageCount()), made.back());
    EXPECT_FALSE(list.page(0));
    EXPECT_FALSE(list.page(list.pageCount() + 1));
    list.clear();
    EXPECT_TRUE(list.inMemory());
    EXPECT_EQ(list.pageCount(), 0);
}

TEST_F(PageFileTest, DamagedFilesAreRefusedAndLeaveTheListAsItWas)
{
    const QString good = saved(10, QStringLiteral("good.qrp"));
    const QByteArray bytes = readAll(good);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray moreThanThere = bytes;
    qToLittleEndian<quint32>(7, moreThanThere.data() + 8);
    QByteArray hugeRecord = bytes;
    qToLittleEndian<quint32>(0xFFFFFFF0u, hugeRecord.data() + 128);
    QByteArray badText = bytes;
    badText[128 + 4 + 16] = '\x7f'; // the text count of page 1
    const std::vector<Case> cases{
        {"empty", {}},
        {"short header", bytes.left(100)},
        {"not ours", QByteArray(128, 'x') + bytes.mid(128)},
        {"cut in a page", bytes.left(bytes.size() - 10)},
        {"trailing bytes", bytes + "junk"},
        {"count beyond the pages", moreThanThere},
        {"record beyond the file", hugeRecord},
        {"damaged page", badText},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("bad.qrp"));
        writeAll(path, c.bytes);
        PrintJob job;
        ASSERT_TRUE(job.load(good));
        QString error;
        EXPECT_FALSE(job.load(path, &error)) << c.name;
        EXPECT_TRUE(error.contains(QStringLiteral("is not a report file, or it is damaged"))) << c.name;
        EXPECT_EQ(job.pageCount(), 1) << c.name;
    }
    PrintJob job;
    QString error;
    EXPECT_FALSE(job.load(dir.filePath(QStringLiteral("missing.qrp")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(PageFileTest, LoadedJobIsFinishedWithoutAReportAndOnlyAFinishedJobSaves)
{
    const QString path = saved(10, QStringLiteral("one.qrp"));
    DemoReport demo;
    PrintJob job(&demo.report);
    EXPECT_EQ(job.status(), PrintJob::Status::Ready);
    EXPECT_FALSE(job.save(dir.filePath(QStringLiteral("never.qrp"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("never.qrp"))));
    ASSERT_TRUE(job.load(path));
    EXPECT_EQ(job.status(), PrintJob::Status::Finished);
    EXPECT_EQ(job.report(), nullptr);
    EXPECT_EQ(job.pageCount(), 1);
    EXPECT_FALSE(job.generate());
}

TEST_F(PageFileTest, AMillionEmptyPagesLoadWholeAndLetTheWindowPaintMeanwhile)
{
    // Crafted, but a page file all the same: every record a page without texts.
    const QByteArray payload = PageFile::encodePage(ReportPage(QSizeF(210, 297)));
    QByteArray record(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(payload.size()), record.data());
    record += payload;
    const quint32 count = 1000000;
    QByteArray bytes = PageFile::header(count);
    bytes.reserve(bytes.size() + qsizetype(count) * record.size());
    for (quint32 i = 0; i < count; ++i)
        bytes += record;
    const QString path = dir.filePath(QStringLiteral("million.qrp"));
    writeAll(path, bytes);
    PageList list;
    int alive = 0;
    EXPECT_TRUE(list.loadFromFile(path, nullptr, [&] { ++alive; }));
    EXPECT_EQ(list.pageCount(), static_cast<int>(count));
    EXPECT_EQ(list.page(static_cast<int>(count))->sizeMm(), QSizeF(210, 297));
    EXPECT_EQ(alive, static_cast<int>(count / 4096)) << "the window is given its turn every 4,096 pages";
}

TEST_F(PageFileTest, ExtractPagesCopiesTheRange)
{
    const QString five = saved(200, QStringLiteral("five.qrp"));
    const std::vector<ReportPage>& made = pages[QStringLiteral("five.qrp")];
    const QString out = dir.filePath(QStringLiteral("out.qrp"));
    ASSERT_TRUE(extractPages(five, out, 2, 3));
    EXPECT_EQ(pagesOf(out), std::vector<ReportPage>(made.begin() + 1, made.begin() + 3));
    EXPECT_EQ(qFromLittleEndian<quint32>(readAll(out).constData() + 8), 2u);
    ASSERT_TRUE(extractPages(five, out, 0, 0));
    EXPECT_EQ(pagesOf(out), made);
    // A range with no page in it gives a file without pages.
    ASSERT_TRUE(extractPages(five, out, 4, 2));
    EXPECT_TRUE(pagesOf(out).empty());
    ASSERT_TRUE(extractPages(five, out, 6, 9));
    EXPECT_TRUE(pagesOf(out).empty());
    QString error;
    EXPECT_FALSE(extractPages(dir.filePath(QStringLiteral("missing.qrp")), out, 1, 1, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(PageFileTest, MergePageFilesJoinsInOrderAndAnswersItsErrors)
{
    const QString five = saved(200, QStringLiteral("five.qrp"));
    const QString one = saved(10, QStringLiteral("one.qrp"));
    const QString out = dir.filePath(QStringLiteral("merged.qrp"));
    const QStringList files{one, five, one};
    ASSERT_EQ(mergePageFiles(out, &files), MergeOk);
    std::vector<ReportPage> expected = pages[QStringLiteral("one.qrp")];
    for (const ReportPage& p : pages[QStringLiteral("five.qrp")])
        expected.push_back(p);
    expected.push_back(pages[QStringLiteral("one.qrp")].front());
    EXPECT_EQ(pagesOf(out), expected);
    EXPECT_EQ(qFromLittleEndian<quint32>(readAll(out).constData() + 8), 7u);

    const QString none = dir.filePath(QStringLiteral("none.qrp"));
    const QStringList empty;
    EXPECT_EQ(mergePageFiles(QString(), &files), MergeNoDestination);
    EXPECT_EQ(mergePageFiles(none, nullptr), MergeNoList);
    EXPECT_EQ(mergePageFiles(QString(), nullptr), MergeNoList);
    EXPECT_EQ(mergePageFiles(none, &empty), MergeEmptyList);
    EXPECT_EQ(mergePageFiles(QString(), &empty), MergeEmptyList);
    const QStringList withMissing{one, dir.filePath(QStringLiteral("missing.qrp"))};
    EXPECT_EQ(mergePageFiles(none, &withMissing), MergeFileError);
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace
} // namespace bw::test
