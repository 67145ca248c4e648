#include "app/TfrmSelectPrinter.h"
#include "app/UiScale.h"
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
class SelectPrinterTest : public ::testing::Test {
protected:
    SelectPrinterTest()
        : job(&demo.report)
    {
        job.generate();
    }
    void open(int initialPrinter = -1, int copies = 1)
    {
        select.Job = &job;
        select.InitialPrinterIndex = initialPrinter;
        select.Copies = copies;
        select.show();
        EXPECT_TRUE(waitUntil([&] { return select.StatusLbl->text() != pleaseWait; }, 10000));
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
    TfrmSelectPrinter select;

private:
    QString m_why;
};

TEST_F(SelectPrinterTest, OpensWithOneCopyAllPagesAndTheJobsPageCount)
{
    ASSERT_EQ(job.pageCount(), 5);
    open(-1, 0);
    EXPECT_EQ(select.windowTitle(), QStringLiteral("Select the printer"));
    EXPECT_TRUE(select.AllPagesRb->isChecked());
    EXPECT_EQ(select.AllPagesRb->text(), QStringLiteral("All 5 pages"));
    EXPECT_EQ(select.RangeRb->text(), QStringLiteral("Pages"));
    EXPECT_EQ(select.FromEdt->text(), QStringLiteral("1"));
    EXPECT_EQ(select.ToEdt->text(), QStringLiteral("5"));
    EXPECT_FALSE(select.FromEdt->isEnabled());
    EXPECT_FALSE(select.ToEdt->isEnabled());
    EXPECT_EQ(select.Copies, 1);
    EXPECT_EQ(select.CopiesSe->value(), 1);
    EXPECT_EQ(select.CopiesSe->minimum(), 1);
    EXPECT_EQ(select.CopiesSe->maximum(), 99);
    EXPECT_EQ(select.BitBtn3->text(), QStringLiteral("&Default"));
    QStringList groups;
    for (const QGroupBox* g : select.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_EQ(groups, (QStringList{QStringLiteral("Print Range"), QStringLiteral("Copies")}));
    QStringList labels;
    for (const QLabel* l : select.findChildren<QLabel*>()) {
        if (l != select.StatusLbl)
            labels << l->text();
    }
    EXPECT_EQ(labels, (QStringList{QStringLiteral("&Printer"), QStringLiteral("&from:"), QStringLiteral("&to:"),
                                   QStringLiteral("Number of &copies:")}));
}

TEST_F(SelectPrinterTest, PagesEnablesBothBoxesAndAllPagesDisablesThem)
{
    open();
    select.RangeRb->click();
    EXPECT_TRUE(select.FromEdt->isEnabled());
    EXPECT_TRUE(select.ToEdt->isEnabled());
    select.AllPagesRb->click();
    EXPECT_FALSE(select.FromEdt->isEnabled());
    EXPECT_FALSE(select.ToEdt->isEnabled());
}

TEST_F(SelectPrinterTest, ABoxWithALetterIsEmptiedAndDigitsStay)
{
    open();
    select.RangeRb->click();
    select.FromEdt->clear();
    QTest::keyClicks(select.FromEdt, QStringLiteral("12"));
    EXPECT_EQ(select.FromEdt->text(), QStringLiteral("12"));
    QTest::keyClicks(select.FromEdt, QStringLiteral("a"));
    EXPECT_EQ(select.FromEdt->text(), QString());
    select.ToEdt->setText(QStringLiteral("4-"));
    EXPECT_EQ(select.ToEdt->text(), QString());
    select.ToEdt->setText(QStringLiteral("007"));
    EXPECT_EQ(select.ToEdt->text(), QStringLiteral("007"));
}

TEST_F(SelectPrinterTest, NoPrinterInstalledSaysSoAndDisablesOk)
{
    // Each test runs in a process of its own under ctest, so CUPS has not
    // been asked yet and looks for a scheduler that is not there.
    qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/brindlewick/cups.sock"));
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this process reached CUPS before the test; run it alone (ctest does)";
    open();
    EXPECT_EQ(select.StatusLbl->text(), QStringLiteral("No printer is installed"));
    EXPECT_EQ(select.cbPrinters->count(), 0);
    EXPECT_FALSE(select.BitBtn1->isEnabled());
    select.BitBtn3->click();
    EXPECT_EQ(select.StatusLbl->text(), QStringLiteral("No printer is installed"));
    QTest::keyClick(&select, Qt::Key_Return);
    EXPECT_TRUE(select.isVisible());
    select.BitBtn2->click();
    EXPECT_EQ(select.result(), QDialog::Rejected);
}

TEST_F(SelectPrinterTest, PrintersInTheSystemsOrderAndTheInitialOneSelected)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    const int second = PrintQueue::indexOf(PrintQueue::secondPrinter());
    open(second);
    QStringList names;
    for (int i = 0; i < select.cbPrinters->count(); ++i)
        names << select.cbPrinters->itemText(i);
    EXPECT_EQ(names, QPrinterInfo::availablePrinterNames());
    EXPECT_TRUE(names.contains(PrintQueue::printer()));
    EXPECT_EQ(select.cbPrinters->currentText(), PrintQueue::secondPrinter());
    EXPECT_EQ(select.selectedPrinterIndex(), second);
}

TEST_F(SelectPrinterTest, NoInitialPrinterSelectsTheDefault)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open(-1);
    EXPECT_EQ(select.cbPrinters->currentText(), QPrinterInfo::defaultPrinterName());
}

TEST_F(SelectPrinterTest, CopiesProbeTellsAndPutsTheJobBack)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    job.setPrinterIndex(PrintQueue::indexOf(PrintQueue::secondPrinter()));
    open(job.printerIndex());
    // CUPS makes the copies for every queue.
    EXPECT_EQ(select.StatusLbl->text(), copiesMade);
    select.StatusLbl->clear();
    select.cbPrinters->setCurrentIndex(PrintQueue::indexOf(PrintQueue::printer()));
    select.cbPrintersChange();
    EXPECT_EQ(select.StatusLbl->text(), copiesMade);
    EXPECT_EQ(job.printerIndex(), PrintQueue::indexOf(PrintQueue::secondPrinter()));
    EXPECT_EQ(job.copies(), 1);
}

TEST_F(SelectPrinterTest, DefaultSelectsTheSystemsDefaultAndRefreshesTheMessage)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open(PrintQueue::indexOf(PrintQueue::secondPrinter()));
    select.StatusLbl->clear();
    QTest::keyClick(&select, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return !select.StatusLbl->text().isEmpty(); }, 1000));
    EXPECT_EQ(select.cbPrinters->currentText(), PrintQueue::printer());
    EXPECT_EQ(select.cbPrinters->currentText(), QPrinterInfo::defaultPrinterName());
    EXPECT_EQ(select.StatusLbl->text(), copiesMade);
}

TEST_F(SelectPrinterTest, OkWithPagesWaitsForANumberInBothBoxes)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    EXPECT_TRUE(select.BitBtn1->isEnabled());
    select.RangeRb->click();
    select.FromEdt->clear();
    EXPECT_FALSE(select.BitBtn1->isEnabled());
    QTest::keyClick(&select, Qt::Key_Return);
    EXPECT_TRUE(select.isVisible());
    select.FromEdt->setText(QStringLiteral("2"));
    EXPECT_TRUE(select.BitBtn1->isEnabled());
    select.ToEdt->setText(QStringLiteral("x"));
    EXPECT_FALSE(select.BitBtn1->isEnabled());
    // "All pages" needs no numbers.
    select.AllPagesRb->click();
    EXPECT_TRUE(select.BitBtn1->isEnabled());
}

TEST_F(SelectPrinterTest, OkGivesTheRangeAndTheCopies)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    select.RangeRb->click();
    select.FromEdt->setText(QStringLiteral("2"));
    select.ToEdt->setText(QStringLiteral("99999999999"));
    select.CopiesSe->setValue(3);
    select.BitBtn1->click();
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_EQ(select.FromPage, 2);
    // Too large for a number: to the end.
    EXPECT_EQ(select.ToPage, INT_MAX);
    EXPECT_EQ(select.Copies, 3);
}

TEST_F(SelectPrinterTest, OkWithAllPagesGivesNoRange)
{
    if (skipWithoutQueue())
        GTEST_SKIP() << why();
    open();
    select.FromEdt->setText(QStringLiteral("3"));
    select.BitBtn1->click();
    EXPECT_EQ(select.FromPage, 0);
    EXPECT_EQ(select.ToPage, 0);
    EXPECT_EQ(select.Copies, 1);
}

using SelectPrinterAtTwoFonts = AtTwoFontsOf<>;

int textWidth(const QWidget* widget, QString text)
{
    return widget->fontMetrics().horizontalAdvance(text.remove(u'&'));
}

// At the default font and at one half as large again.
TEST_P(SelectPrinterAtTwoFonts, NoCaptionIsCutAndTheWindowGrowsWithTheFont)
{
    DemoReport demo(DemoReport::rows(220));
    PrintJob job(&demo.report);
    job.generate();
    TfrmSelectPrinter window;
    window.Job = &job;
    window.show();
    EXPECT_TRUE(waitUntil([&] { return window.StatusLbl->text() != pleaseWait; }, 10000));
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
    EXPECT_LE(textWidth(window.ToEdt, QStringLiteral("99999")), window.ToEdt->contentsRect().width());
    EXPECT_LE(textWidth(window.StatusLbl, QStringLiteral("Printer does not supports multiple copies")),
              window.StatusLbl->contentsRect().width());
    if (const QString shots = qEnvironmentVariable("BW_PREVIEW_SHOTS"); !shots.isEmpty())
        window.grab().save(
            QStringLiteral("%1/select-printer-%2.png").arg(shots).arg(GetParam() > 1 ? "large" : "normal"));
}

INSTANTIATE_TEST_SUITE_P(Fonts, SelectPrinterAtTwoFonts, ::testing::Values(1.0, 1.5));

} // namespace
