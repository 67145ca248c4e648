#include "app/preview/PrinterDialog.h"
#include "app/widgets/UiScale.h"
#include "report_engine/DemoReport.h"
#include "report_engine/PrintJob.h"
#include "support/AtTwoFonts.h"
#include "support/PrintQueue.h"
#include "support/QtPrinting.h"
#include "support/Wait.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

const QString pleaseWait = QStringLiteral("Please wait...");
const QString copiesMade = QStringLiteral("Printer supports multiple copies");

// A selection window for a five-page job, shown as the preview shows it,
// with its copies probe done.
class PrinterDialogTest : public ::testing::Test {
protected:
    PrinterDialogTest()
        : job(&demo.report)
    {
        job.generate();
    }
    void open(int initialPrinter = -1, int copies = 1)
    {
        select.setJob(&job);
        select.setInitialPrinterIndex(initialPrinter);
        select.setCopies(copies);
        select.show();
        EXPECT_TRUE(waitUntil([&] { return select.statusLabel()->text() != pleaseWait; }, 10000));
    }
    // The tests that need a printer say why they cannot run.
    bool skipWithoutQueue()
    {
        m_why = PrintQueue::unreachable();
        return !m_why.isEmpty();
    }
    std::string why() const { return m_why.toStdString(); }

    DemoReport demo{DemoReport::rows(220)};
    PrintJob job;
    PrinterDialog select;

private:
    QString m_why;
};

TEST_F(PrinterDialogTest, OpensWithOneCopyAllPagesAndTheJobsPageCount)
{
    ASSERT_EQ(job.pageCount(), 5);
    open(-1, 0);
    EXPECT_EQ(select.windowTitle(), QStringLiteral("Select the printer"));
    EXPECT_TRUE(select.allPagesButton()->isChecked());
    EXPECT_EQ(select.allPagesButton()->text(), QStringLiteral("All 5 pages"));
    EXPECT_EQ(select.rangeButton()->text(), QStringLiteral("Pages"));
    EXPECT_EQ(select.fromBox()->text(), QStringLiteral("1"));
    EXPECT_EQ(select.toBox()->text(), QStringLiteral("5"));
    EXPECT_FALSE(select.fromBox()->isEnabled());
    EXPECT_FALSE(select.toBox()->isEnabled());
    EXPECT_EQ(select.copies(), 1);
    EXPECT_EQ(select.copiesBox()->value(), 1);
    EXPECT_EQ(select.copiesBox()->minimum(), 1);
    EXPECT_EQ(select.copiesBox()->maximum(), 99);
    EXPECT_EQ(select.defaultButton()->text(), QStringLiteral("&Default"));
    QStringList groups;
    for (const QGroupBox* g : select.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_EQ(groups, (QStringList{QStringLiteral("Print Range"), QStringLiteral("Copies")}));
    QStringList labels;
    for (const QLabel* l : select.findChildren<QLabel*>()) {
        if (l != select.statusLabel())
            labels << l->text();
    }
    EXPECT_EQ(labels, (QStringList{QStringLiteral("&Printer"), QStringLiteral("&from:"), QStringLiteral("&to:"),
                                   QStringLiteral("Number of &copies:")}));
}

TEST_F(PrinterDialogTest, PagesEnablesBothBoxesAndAllPagesDisablesThem)
{
    open();
    select.rangeButton()->click();
    EXPECT_TRUE(select.fromBox()->isEnabled());
    EXPECT_TRUE(select.toBox()->isEnabled());
    select.allPagesButton()->click();
    EXPECT_FALSE(select.fromBox()->isEnabled());
    EXPECT_FALSE(select.toBox()->isEnabled());
}

TEST_F(PrinterDialogTest, ABoxWithALetterIsEmptiedAndDigitsStay)
{
    open();
    select.rangeButton()->click();
    select.fromBox()->clear();
    QTest::keyClicks(select.fromBox(), QStringLiteral("12"));
    EXPECT_EQ(select.fromBox()->text(), QStringLiteral("12"));
    QTest::keyClicks(select.fromBox(), QStringLiteral("a"));
    EXPECT_EQ(select.fromBox()->text(), QString());
    select.toBox()->setText(QStringLiteral("4-"));
    EXPECT_EQ(select.toBox()->text(), QString());
    select.toBox()->setText(QStringLiteral("007"));
    EXPECT_EQ(select.toBox()->text(), QStringLiteral("007"));
}

TEST_F(PrinterDialogTest, NoPrinterInstalledSaysSoAndDisablesOk)
{
    // Each test runs in a process of its own under ctest, so CUPS has not
    // been asked yet and looks for a scheduler that is not there.
    qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/brindlewick/cups.sock"));
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this process reached CUPS before the test; run it alone (ctest does)";
    open();
    EXPECT_EQ(select.statusLabel()->text(), QStringLiteral("No printer is installed"));
    EXPECT_EQ(select.printerBox()->count(), 0);
    EXPECT_FALSE(select.okButton()->isEnabled());
    select.defaultButton()->click();
    EXPECT_EQ(select.statusLabel()->text(), QStringLiteral("No printer is installed"));
    QTest::keyClick(&select, Qt::Key_Return);
    EXPECT_TRUE(select.isVisible());
    select.cancelButton()->click();
    EXPECT_EQ(select.result(), QDialog::Rejected);
}

TEST_F(PrinterDialogTest, PrintersInTheSystemsOrderAndTheInitialOneSelected)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    const int second = PrintQueue::indexOf(PrintQueue::secondPrinter());
    open(second);
    QStringList names;
    for (int i = 0; i < select.printerBox()->count(); ++i)
        names << select.printerBox()->itemText(i);
    EXPECT_EQ(names, QPrinterInfo::availablePrinterNames());
    EXPECT_TRUE(names.contains(PrintQueue::printer()));
    EXPECT_EQ(select.printerBox()->currentText(), PrintQueue::secondPrinter());
    EXPECT_EQ(select.selectedPrinterIndex(), second);
}

TEST_F(PrinterDialogTest, NoInitialPrinterSelectsTheDefault)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open(-1);
    EXPECT_EQ(select.printerBox()->currentText(), QPrinterInfo::defaultPrinterName());
}

TEST_F(PrinterDialogTest, CopiesProbeTellsAndPutsTheJobBack)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    job.setPrinterIndex(PrintQueue::indexOf(PrintQueue::secondPrinter()));
    open(job.printerIndex());
    // CUPS makes the copies for every queue.
    EXPECT_EQ(select.statusLabel()->text(), copiesMade);
    select.statusLabel()->clear();
    select.printerBox()->setCurrentIndex(PrintQueue::indexOf(PrintQueue::printer()));
    select.onPrinterChanged();
    EXPECT_EQ(select.statusLabel()->text(), copiesMade);
    EXPECT_EQ(job.printerIndex(), PrintQueue::indexOf(PrintQueue::secondPrinter()));
    EXPECT_EQ(job.copies(), 1);
}

TEST_F(PrinterDialogTest, DefaultSelectsTheSystemsDefaultAndRefreshesTheMessage)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open(PrintQueue::indexOf(PrintQueue::secondPrinter()));
    select.statusLabel()->clear();
    QTest::keyClick(&select, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return !select.statusLabel()->text().isEmpty(); }, 1000));
    EXPECT_EQ(select.printerBox()->currentText(), PrintQueue::printer());
    EXPECT_EQ(select.printerBox()->currentText(), QPrinterInfo::defaultPrinterName());
    EXPECT_EQ(select.statusLabel()->text(), copiesMade);
}

TEST_F(PrinterDialogTest, OkWithPagesWaitsForANumberInBothBoxes)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    EXPECT_TRUE(select.okButton()->isEnabled());
    select.rangeButton()->click();
    select.fromBox()->clear();
    EXPECT_FALSE(select.okButton()->isEnabled());
    QTest::keyClick(&select, Qt::Key_Return);
    EXPECT_TRUE(select.isVisible());
    select.fromBox()->setText(QStringLiteral("2"));
    EXPECT_TRUE(select.okButton()->isEnabled());
    select.toBox()->setText(QStringLiteral("x"));
    EXPECT_FALSE(select.okButton()->isEnabled());
    // "All pages" needs no numbers.
    select.allPagesButton()->click();
    EXPECT_TRUE(select.okButton()->isEnabled());
}

TEST_F(PrinterDialogTest, OkGivesTheRangeAndTheCopies)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    select.rangeButton()->click();
    select.fromBox()->setText(QStringLiteral("2"));
    select.toBox()->setText(QStringLiteral("99999999999"));
    select.copiesBox()->setValue(3);
    select.okButton()->click();
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_EQ(select.fromPage(), 2);
    // Too large for a number: to the end.
    EXPECT_EQ(select.toPage(), INT_MAX);
    EXPECT_EQ(select.copies(), 3);
}

TEST_F(PrinterDialogTest, OkWithAllPagesGivesNoRange)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    select.fromBox()->setText(QStringLiteral("3"));
    select.okButton()->click();
    EXPECT_EQ(select.fromPage(), 0);
    EXPECT_EQ(select.toPage(), 0);
    EXPECT_EQ(select.copies(), 1);
}

using PrinterDialogAtTwoFonts = AtTwoFontsOf<>;

int textWidth(const QWidget* widget, QString text)
{
    return widget->fontMetrics().horizontalAdvance(text.remove(u'&'));
}

// At the default font and at one half as large again.
TEST_P(PrinterDialogAtTwoFonts, NoCaptionIsCutAndTheWindowGrowsWithTheFont)
{
    DemoReport demo(DemoReport::rows(220));
    PrintJob job(&demo.report);
    job.generate();
    PrinterDialog window;
    window.setJob(&job);
    window.show();
    EXPECT_TRUE(waitUntil([&] { return window.statusLabel()->text() != pleaseWait; }, 10000));
    QApplication::processEvents();
    const UiScale scale(window.fontMetrics());
    EXPECT_GE(window.width(), scale.x(414));
    EXPECT_GE(window.height(), scale.y(203));
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        EXPECT_LE(textWidth(b, b->text()), b->width()) << b->text().toStdString();
    for (const QLabel* l : window.findChildren<QLabel*>())
        EXPECT_LE(textWidth(l, l->text()), l->contentsRect().width()) << l->text().toStdString();
    for (const QGroupBox* g : window.findChildren<QGroupBox*>())
        EXPECT_LE(textWidth(g, g->title()), g->width()) << g->title().toStdString();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        EXPECT_TRUE(window.rect().contains(QRect(w->mapTo(&window, QPoint(0, 0)), w->size())))
            << w->objectName().toStdString();
    }
    // Five digits fit the boxes.
    EXPECT_LE(textWidth(window.toBox(), QStringLiteral("99999")), window.toBox()->contentsRect().width());
    EXPECT_LE(textWidth(window.statusLabel(), QStringLiteral("Printer does not supports multiple copies")),
              window.statusLabel()->contentsRect().width());
    if (const QString shots = qEnvironmentVariable("BW_PREVIEW_SHOTS"); !shots.isEmpty())
        window.grab().save(
            QStringLiteral("%1/select-printer-%2.png").arg(shots).arg(GetParam() > 1 ? "large" : "normal"));
}

INSTANTIATE_TEST_SUITE_P(Fonts, PrinterDialogAtTwoFonts, ::testing::Values(1.0, 1.5));

} // namespace
