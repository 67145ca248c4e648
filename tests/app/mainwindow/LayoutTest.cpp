#include "app/WindowHelpers.h"
#include "app/lists/CellTipDelegate.h"
#include "app/mainwindow/FindBar.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/RunMessages.h"
#include "app/mainwindow/ScanTab.h"
#include "app/mainwindow/StatusText.h"
#include "app/widgets/WidgetPrompter.h"
#include "support/AtTwoFonts.h"
#include "support/FakePrompter.h"
#include "support/ScanRecorder.h"
#include "support/Wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

using AtTwoFonts = AtTwoFontsOf<>;

const char* const samples[] = {"contents.log", "documents.log", "expire.log", "structure.log"};

QString sample(int tab)
{
    return QStringLiteral(BW_SAMPLES "/") + QString::fromLatin1(samples[tab]);
}

int textWidth(const QWidget* widget, QString text)
{
    return widget->fontMetrics().horizontalAdvance(text.remove(u'&'));
}

} // namespace

TEST_P(AtTwoFonts, EveryCaptionHeadingAndStatusFits)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTabBar* tabs = window.tabWidget()->tabBar();
    for (int i = 0; i < MainWindow::tabCount; ++i)
        EXPECT_LE(textWidth(tabs, tabs->tabText(i)), tabs->tabRect(i).width()) << i;

    for (int i = 0; i < MainWindow::tabCount; ++i) {
        window.tabWidget()->setCurrentIndex(i);
        ScanTab* t = window.tab(i);
        QApplication::processEvents();
        for (const QAbstractButton* b : t->findChildren<QAbstractButton*>())
            EXPECT_LE(textWidth(b, b->text()), b->contentsRect().width()) << b->text().toStdString();
        for (const QLabel* l : t->findChildren<QLabel*>())
            EXPECT_LE(textWidth(l, l->text()), l->contentsRect().width()) << l->text().toStdString();

        // The heading with its sort arrow, as during a scan.
        QHeaderView* header = t->list()->header();
        header->setSortIndicatorShown(true);
        for (int c = 0; c < header->count(); ++c) {
            const QString caption = t->list()->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_LE(header->sectionSizeHint(c), header->sectionSize(c)) << caption.toStdString();
        }

        t->choose(sample(i));
        QTest::mouseClick(t->parseButton(), Qt::LeftButton);
        while (t->scanRunning()) {
            ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue() || !t->scanRunning(); }));
            EXPECT_FALSE(t->statusText()->isCut()) << t->statusText()->text().toStdString();
            EXPECT_FALSE(t->lineCounter()->isCut()) << t->lineCounter()->text().toStdString();
            if (t->scanRunning())
                QTest::mouseClick(t->continueButton(), Qt::LeftButton);
        }
        EXPECT_FALSE(t->statusText()->isCut()) << t->statusText()->text().toStdString();
    }
}

TEST_P(AtTwoFonts, TheWindowResizesAndColumnsWiden)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ScanTab* t = window.tab(0);
    const QSize list = t->list()->size();
    EXPECT_EQ(window.minimumSize(), window.size()) << "the first size is the smallest";
    window.resize(window.size() + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(t->list()->size(), list + QSize(200, 150)) << "the list takes the room";

    // A drag on the right edge of the first heading widens its column.
    QHeaderView* header = t->list()->header();
    const int before = header->sectionSize(0);
    const QPoint edge(header->sectionViewportPosition(0) + before - 1, header->height() / 2);
    QWidget* target = header->viewport();
    QTest::mousePress(target, Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + QPoint(40, 0)), target->mapToGlobal(QPointF(edge + QPoint(40, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QTest::mouseRelease(target, Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_EQ(header->sectionSize(0), before + 40);

    // A cell too narrow for its text tips it whole; the row's tip follows.
    t->choose(sample(0));
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    auto* delegate = qobject_cast<CellTipDelegate*>(t->list()->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QModelIndex name = t->list()->model()->index(0, 0);
    const QString rowTip = name.data(Qt::ToolTipRole).toString();
    EXPECT_EQ(delegate->tipFor(t->list(), name), rowTip) << "not cut: the row's tip only";
    header->resizeSection(0, header->fontMetrics().averageCharWidth() * 3);
    EXPECT_EQ(delegate->tipFor(t->list(), name), name.data().toString() + u'\n' + rowTip);
    const QModelIndex total = t->list()->model()->index(0, 6);
    header->resizeSection(6, 4);
    EXPECT_TRUE(delegate->tipFor(t->list(), total).startsWith(total.data().toString() + u'\n'));
}

TEST_P(AtTwoFonts, TheFirstColumnFitsTheWidestCaptionListed)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A name longer than its column was designed for, within its limit.
    TempLog blobs(crlf({"- checking area po", "- Checking directory 3A",
                        "Error 52- Blob file with missing trailer: 4A1B2C3D_ARCHIVE_COPY_0001.000",
                        "Return from FlmAdopt = 0xC067", "PROCESSING COMPLETE"}));
    const std::pair<int, QString> logs[] = {{0, sample(0)}, {2, sample(2)}, {3, sample(3)}, {3, blobs.path()}};
    for (const auto& [i, log] : logs) {
        window.tabWidget()->setCurrentIndex(i);
        ScanTab* t = window.tab(i);
        t->choose(log);
        QTest::mouseClick(t->parseButton(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
        const QAbstractItemModel* model = t->list()->model();
        auto* delegate = qobject_cast<CellTipDelegate*>(t->list()->itemDelegate());
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex name = model->index(r, 0);
            EXPECT_EQ(delegate->tipFor(t->list(), name), name.data(Qt::ToolTipRole).toString())
                << i << ": " << name.data().toString().toStdString() << " is cut";
        }
        while (t->scanRunning()) {
            t->onContinueClicked();
            ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue() || !t->scanRunning(); }));
        }
    }
}

// BW_SCREENSHOTS names a folder for the pictures the README shows.
void screenshot(QWidget* widget, const QString& name, double factor)
{
    if (const QByteArray folder = qgetenv("BW_SCREENSHOTS"); !folder.isEmpty())
        widget->grab().save(QString::fromLocal8Bit(folder) + u'/' + name +
                            (factor == 1.0 ? QString() : QStringLiteral("-") + QString::number(factor)) + QStringLiteral(".png"));
}

TEST_P(AtTwoFonts, TheFindBarAndTheRunSummaryShowTheirTextsWhole)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ScanTab* t = window.tab(0);
    t->choose(sample(0));
    QTest::mouseClick(t->parseButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue(); }));
    t->openFind();
    // By name or file ID: JSMITH's a4k does not match, KMUELLER's e3t does.
    QTest::keyClicks(t->findBar()->textBox(), "e");
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "1 of 5");
    t->findNext();
    EXPECT_EQ(t->findBar()->resultLabel()->text(), "2 of 5");
    for (const QLabel* l : t->findBar()->findChildren<QLabel*>())
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text().remove(u'&')), l->contentsRect().width());
    for (const QToolButton* b : {t->findBar()->previousButton(), t->findBar()->nextButton()})
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
    screenshot(&window, QStringLiteral("find"), GetParam());

    RunMessages run(prompter);
    run.begin();
    for (int i = 0; i < 1197; ++i)
        run.message(QStringLiteral("Source File \\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD%1\\%2.ACA Not Found").arg(i % 64).arg(i));
    for (int i = 0; i < 3; ++i)
        run.message(QStringLiteral("Error Creating Directory C:\\Rescue\\LIB000%1").arg(i));
    const QString text = run.summary(QStringLiteral("Completed Export - 0 Successful / 1200 Failures"));
    // The window's own box, answered once it is up.
    WidgetPrompter widgets;
    widgets.setParent(&window);
    bool checked = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        answer.stop();
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().contains(u"File > Path Mappings"));
        // The status line whole on one line.
        EXPECT_GE(label->contentsRect().width(),
                  label->fontMetrics().horizontalAdvance(text.section(u'\n', 0, 0)));
        screenshot(box, QStringLiteral("run-summary"), GetParam());
        checked = true;
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(10);
    EXPECT_FALSE(widgets.messageWithButton(text, RunMessages::mappingsButtonText()));
    EXPECT_TRUE(checked);
    t->onContinueClicked();
    ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue() || !t->scanRunning(); }));
    while (t->scanRunning()) {
        t->onContinueClicked();
        ASSERT_TRUE(waitUntil([&] { return t->scan().awaitingContinue() || !t->scanRunning(); }));
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, AtTwoFonts, ::testing::Values(1.0, 1.5));

TEST(StatusText, ATextTooWideIsCutInTheMiddleAndShowsWholeAsItsTip)
{
    // Whether the text fits follows the text, the width and the font.
    const QString longText = QStringLiteral("Content Verification Section Completed - 200000 Users");
    StatusText status(Qt::AlignLeft);
    status.resize(status.fontMetrics().horizontalAdvance(longText) / 2, status.sizeHint().height());
    status.setText(longText);
    EXPECT_TRUE(status.isCut());
    EXPECT_EQ(status.toolTip(), longText);
    status.setText(QStringLiteral("Done"));
    EXPECT_FALSE(status.isCut());
    EXPECT_TRUE(status.toolTip().isEmpty());
    status.setText(longText);
    status.resize(status.fontMetrics().horizontalAdvance(longText) + 10, status.height());
    EXPECT_FALSE(status.isCut());
    QFont larger = status.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    status.setFont(larger);
    EXPECT_TRUE(status.isCut());
    EXPECT_EQ(status.toolTip(), longText);
}
