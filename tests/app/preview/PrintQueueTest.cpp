#include "app/mainwindow/MainWindow.h"
#include "app/preview/PrinterDialog.h"
#include "app/preview/ReportPreviewWindow.h"
#include "app/preview/WindowPreviewOpener.h"
#include "report_engine/DemoReport.h"
#include "report_engine/PdfExportFilter.h"
#include "report_engine/PrintJob.h"
#include "support/FakePrompter.h"
#include "support/PrintQueue.h"
#include "support/Wait.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace bw;
using namespace bw::test;

namespace {

// Prints a five-page demonstration report through the preview's Print
// button and the selection window to the PDF queues of scripts/test.sh.
// Each test names its report uniquely, since cups-pdf names its files after
// the job, and has a temporary folder of its own to watch for page files.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const QString why = PrintQueue::unreachable(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(temp.isValid());
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        // Short: cups-pdf cuts a file name after 64 characters.
        title = QStringLiteral("BwPrint%1_%2")
                    .arg(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()).left(12))
                    .arg(QCoreApplication::applicationPid());
        demo = std::make_unique<DemoReport>(DemoReport::rows(220), title);
        window = std::make_unique<MainWindow>(prompter);
        demo->report.setPreviewOpener(window->previewOpener());
        job = demo->report.preview();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* p = qobject_cast<ReportPreviewWindow*>(w); p && p->job() == job)
                preview = p;
        }
        ASSERT_TRUE(preview);
        // The preview lays the report out in slices of 20 ms; a slow build
        // may need more than the first.
        ASSERT_TRUE(waitUntil([&] { return job->status() == PrintJob::Status::Finished; }));
        ASSERT_EQ(job->pageCount(), 5);
        // The report's pages as its own PDF export reads, after the column
        // header: the page header's time changes when the report runs again
        // to the printer, and cups-pdf gives the headings a font of their own.
        const QString reference = temp.filePath(QStringLiteral("reference.pdf"));
        PdfExportFilter pdf(reference);
        ASSERT_TRUE(demo->report.exportTo(pdf));
        for (int i = 1; i <= 5; ++i) {
            QStringList lines = PrintQueue::pdfPageLines(reference, i);
            const qsizetype columns = lines.indexOf(QRegularExpression(QStringLiteral("^Name Number Note$")));
            ASSERT_GE(columns, 0) << lines.join(u'\n').toStdString();
            headerLines.push_back(static_cast<int>(columns) + 1);
            lines = lines.mid(columns + 1);
            pageLines.push_back(static_cast<int>(lines.size()));
            // The summary has a font of its own too.
            expected.push_back(lines.filter(QRegularExpression(QStringLiteral("^User "))));
        }
        ASSERT_TRUE(expected[1].first().startsWith(QStringLiteral("User ")));
        ASSERT_NE(PrintQueue::pattern(expected[1]), PrintQueue::pattern(expected[2]));
    }
    void TearDown() override
    {
        if (preview)
            preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("TMPDIR");
        if (!title.isEmpty()) {
            QDir out(PrintQueue::outputDir());
            for (const QString& name : out.entryList({title + QStringLiteral("*.pdf")}, QDir::Files))
                out.remove(name);
        }
    }

    // Clicks Print, lets choose set the window up once its copies probe
    // has run, and clicks OK.
    void print(const std::function<void(PrinterDialog&)>& choose)
    {
        bool chosen = false;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* select = qobject_cast<PrinterDialog*>(QApplication::activeModalWidget());
            if (!select || select->statusLabel()->text() == QStringLiteral("Please wait..."))
                return;
            driver.stop();
            choose(*select);
            chosen = true;
            QTest::mouseClick(select->okButton(), Qt::LeftButton);
        });
        driver.start();
        QTest::mouseClick(preview->printButton(), Qt::LeftButton);
        EXPECT_TRUE(chosen);
        EXPECT_EQ(prompter.errors, QStringList());
    }

    void onPrinter(PrinterDialog& select, const QString& name)
    {
        select.printerBox()->setCurrentIndex(select.printerBox()->findText(name));
    }

    // Page k of the printed PDF reads as the report's page pages[k].
    void expectPages(const QString& pdf, const std::vector<int>& pages)
    {
        ASSERT_EQ(PrintQueue::pdfPageCount(pdf), static_cast<int>(pages.size()));
        for (std::size_t k = 0; k < pages.size(); ++k) {
            const auto page = static_cast<std::size_t>(pages[k] - 1);
            QStringList printed = PrintQueue::pdfPageLines(pdf, static_cast<int>(k) + 1).mid(headerLines[page]);
            EXPECT_EQ(printed.size(), pageLines[page]) << "printed page " << k + 1;
            printed = printed.mid(0, expected[page].size());
            EXPECT_EQ(PrintQueue::pattern(printed), PrintQueue::pattern(expected[page]))
                << "printed page " << k + 1 << ":\n"
                << printed.join(u'\n').toStdString();
        }
    }

    QStringList pageFilesLeft() const { return QDir(temp.path()).entryList({QStringLiteral("QRP*")}, QDir::Files); }

    QTemporaryDir temp;
    QString title;
    FakePrompter prompter;
    std::unique_ptr<DemoReport> demo;
    std::unique_ptr<MainWindow> window;
    QPointer<PrintJob> job;
    QPointer<ReportPreviewWindow> preview;
    std::vector<QStringList> expected;
    std::vector<int> headerLines;
    std::vector<int> pageLines;
};

TEST_F(PrintTest, PagesTwoToThreeTwiceComeOutAsOneJobReadingTwoThreeTwoThree)
{
    print([&](PrinterDialog& select) {
        onPrinter(select, PrintQueue::printer());
        select.rangeButton()->click();
        select.fromBox()->setText(QStringLiteral("2"));
        select.toBox()->setText(QStringLiteral("3"));
        select.copiesBox()->setValue(2);
    });
    EXPECT_EQ(pageFilesLeft(), QStringList());
    const QStringList pdfs = PrintQueue::waitForPdfs(title, 1);
    ASSERT_EQ(pdfs.size(), 1) << pdfs.join(u' ').toStdString();
    expectPages(pdfs[0], {2, 3, 2, 3});
}

TEST_F(PrintTest, AllPagesWithThreeCopiesPrintOnceWithThePrintersCopies)
{
    print([&](PrinterDialog& select) {
        onPrinter(select, PrintQueue::printer());
        select.copiesBox()->setValue(3);
    });
    const QStringList pdfs = PrintQueue::waitForPdfs(title, 1);
    ASSERT_EQ(pdfs.size(), 1);
    // The report ran again to the printer once, and the scheduler made the
    // three copies of the one job.
    expectPages(pdfs[0], {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5});
    const QStringList log = PrintQueue::pageLogLines(title);
    ASSERT_EQ(log.size(), 1) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].startsWith(PrintQueue::printer() + u' ')) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral(" total 15 "))) << log[0].toStdString();
    EXPECT_EQ(demo->report.copies(), 3);
    EXPECT_EQ(demo->report.printerIndex(), PrintQueue::indexOf(PrintQueue::printer()));
    EXPECT_EQ(pageFilesLeft(), QStringList());
}

TEST_F(PrintTest, APrinterThatMakesNoCopiesItselfGetsTheReportOnceACopy)
{
    job->setCopiesProbe([](const QPrinterInfo&) { return false; });
    print([&](PrinterDialog& select) {
        onPrinter(select, PrintQueue::printer());
        select.copiesBox()->setValue(3);
    });
    const QStringList pdfs = PrintQueue::waitForPdfs(title, 3);
    ASSERT_EQ(pdfs.size(), 3) << pdfs.join(u' ').toStdString();
    for (const QString& pdf : pdfs)
        expectPages(pdf, {1, 2, 3, 4, 5});
    const QStringList log = PrintQueue::pageLogLines(title);
    ASSERT_EQ(log.size(), 3) << log.join(u'\n').toStdString();
    for (const QString& line : log)
        EXPECT_TRUE(line.contains(QStringLiteral(" total 5 "))) << line.toStdString();
    EXPECT_EQ(pageFilesLeft(), QStringList());
}

TEST_F(PrintTest, AReportOpenedFromAPageFilePrintsEveryPageThroughThePageFiles)
{
    const QString saved = temp.filePath(QStringLiteral("saved.qrp"));
    ASSERT_TRUE(job->save(saved));
    prompter.fileAnswers.push_back(saved);
    QTest::mouseClick(preview->openButton(), Qt::LeftButton);
    ASSERT_EQ(job->report(), nullptr);
    print([&](PrinterDialog& select) { onPrinter(select, PrintQueue::secondPrinter()); });
    EXPECT_EQ(pageFilesLeft(), QStringList());
    const QStringList pdfs = PrintQueue::waitForPdfs(title, 1);
    ASSERT_EQ(pdfs.size(), 1);
    expectPages(pdfs[0], {1, 2, 3, 4, 5});
    const QStringList log = PrintQueue::pageLogLines(title);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(PrintQueue::secondPrinter() + u' ')) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral(" total 5 "))) << log[0].toStdString();
}

TEST_F(PrintTest, DefaultButtonPrintsOnTheDefaultPrinter)
{
    job->setPrinterIndex(PrintQueue::indexOf(PrintQueue::secondPrinter()));
    QString before, after;
    print([&](PrinterDialog& select) {
        before = select.printerBox()->currentText();
        select.statusLabel()->clear();
        QTest::mouseClick(select.defaultButton(), Qt::LeftButton);
        after = select.printerBox()->currentText();
        EXPECT_EQ(select.statusLabel()->text(), QStringLiteral("Printer supports multiple copies"));
        select.rangeButton()->click();
        select.fromBox()->setText(QStringLiteral("5"));
        select.toBox()->setText(QStringLiteral("9"));
    });
    EXPECT_EQ(before, PrintQueue::secondPrinter());
    EXPECT_EQ(after, PrintQueue::printer());
    EXPECT_EQ(job->printerIndex(), PrintQueue::indexOf(PrintQueue::printer()));
    const QStringList pdfs = PrintQueue::waitForPdfs(title, 1);
    ASSERT_EQ(pdfs.size(), 1);
    // A range past the end is cut at the last page.
    expectPages(pdfs[0], {5});
    const QStringList log = PrintQueue::pageLogLines(title);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(PrintQueue::printer() + u' ')) << log[0].toStdString();
    EXPECT_EQ(pageFilesLeft(), QStringList());
}

TEST_F(PrintTest, CancelPrintsNothingAndLeavesTheJob)
{
    const int printer = job->printerIndex();
    bool cancelled = false;
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* select = qobject_cast<PrinterDialog*>(QApplication::activeModalWidget())) {
            driver.stop();
            onPrinter(*select, PrintQueue::secondPrinter());
            cancelled = true;
            QTest::mouseClick(select->cancelButton(), Qt::LeftButton);
        }
    });
    driver.start();
    QTest::mouseClick(preview->printButton(), Qt::LeftButton);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(job->printerIndex(), printer);
    EXPECT_EQ(pageFilesLeft(), QStringList());
    EXPECT_EQ(PrintQueue::pageLogLines(title), QStringList());
}

} // namespace
