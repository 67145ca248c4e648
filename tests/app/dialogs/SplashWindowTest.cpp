#include "BrindlewickVersion.h"
#include "app/OtherUser.h"
#include "app/StartUp.h"
#include "app/dialogs/SplashWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/preview/WindowPreviewOpener.h"
#include "base/AccountName.h"
#include "support/FakePrompter.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

// The text fits in its label, uncut.
void expectWhole(const QLabel* label)
{
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
        << label->objectName().toStdString();
}

// Opens Help > About, does what act does to the box, and closes it if act
// did not (then the box had stayed open). Returns whether act closed it.
bool aboutClosedBy(MainWindow& window, const std::function<void(SplashWindow&)>& act)
{
    bool closedByAct = false;
    QTimer::singleShot(0, &window, [&] {
        auto* about = qobject_cast<SplashWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        act(*about);
        closedByAct = !about->isVisible();
        if (!closedByAct)
            about->reject();
    });
    window.onAboutTriggered();
    return closedByAct;
}

} // namespace

TEST(SplashWindow, ShowsTheTitleAndTheProgramsOwnVersionValuesInTheirPlaces)
{
    SplashWindow splash;
    EXPECT_EQ(splash.size(), QSize(400, 223));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.titleLabel()->text(), QStringLiteral("Brindlewick"));
    EXPECT_EQ(splash.companyLabel()->text(), QString::fromUtf8(build::company));
    EXPECT_EQ(splash.versionLabel()->text(), QStringLiteral("Version ") + QString::fromUtf8(build::version));
    EXPECT_EQ(splash.copyrightLabel()->text(), QString::fromUtf8(build::copyright));
    EXPECT_EQ(splash.hintLabel()->text(), QString());
    EXPECT_EQ(splash.aboutMode(), 0);

    EXPECT_EQ(splash.companyLabel()->pos(), QPoint(35, 10));
    EXPECT_EQ(splash.titleLabel()->geometry(), QRect(25, 105, 202, splash.titleLabel()->height()));
    EXPECT_EQ(splash.versionLabel()->pos(), QPoint(35, 185));
    EXPECT_EQ(splash.copyrightLabel()->geometry().right() + 1, 376);
    EXPECT_EQ(splash.copyrightLabel()->y(), 185);
    EXPECT_EQ(splash.hintLabel()->pos(), QPoint(35, 200));
    EXPECT_EQ(splash.picture()->geometry(), QRect(0, 0, 400, 223));
    EXPECT_FALSE(splash.picture()->pixmap().isNull());
    for (QLabel* label : {splash.copyrightLabel(), splash.versionLabel(), splash.companyLabel()})
        expectWhole(label);
    EXPECT_TRUE(splash.companyLabel()->font().bold() && splash.companyLabel()->font().italic());
    EXPECT_EQ(splash.companyLabel()->font().pointSize(), 16);
    EXPECT_EQ(splash.versionLabel()->font().pointSize(), 10);
    EXPECT_EQ(splash.copyrightLabel()->font().pointSize(), 8);
}

TEST(SplashWindow, OnlyExactlySlashNSHidesIt)
{
    EXPECT_TRUE(SplashWindow::hasNoSplashSwitch({QStringLiteral("/NS")}));
    EXPECT_TRUE(SplashWindow::hasNoSplashSwitch({QStringLiteral("a.log"), QStringLiteral("/NS")}));
    EXPECT_FALSE(SplashWindow::hasNoSplashSwitch({QStringLiteral("/ns")}));
    EXPECT_FALSE(SplashWindow::hasNoSplashSwitch({QStringLiteral("/NSX")}));
    EXPECT_FALSE(SplashWindow::hasNoSplashSwitch({QStringLiteral(" /NS")}));
    EXPECT_FALSE(SplashWindow::hasNoSplashSwitch({}));
}

TEST(SplashWindow, ADoubleClickDoesNotCloseTheStartUpSplash)
{
    SplashWindow splash;
    splash.show();
    QTest::mouseDClick(splash.picture(), Qt::LeftButton);
    QTest::mouseDClick(splash.titleLabel(), Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible());
}

TEST(SplashWindow, TheAboutBoxClosesOnADoubleClickAnywhereAndOnNothingElse)
{
    FakePrompter prompter;
    MainWindow window(prompter, StartUp::userName());
    window.show();
    // The name start-up hands the window for its previews' PDFs.
    const QString userBefore = window.previewOpener()->userName();
    EXPECT_EQ(userBefore, effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>")).toUpper());

    EXPECT_FALSE(aboutClosedBy(window, [](SplashWindow& about) {
        EXPECT_EQ(about.hintLabel()->text(), QStringLiteral("Double Click to Exit"));
        EXPECT_EQ(about.aboutMode(), 1);
        EXPECT_TRUE(about.isModal());
        expectWhole(about.hintLabel());
        QTest::mouseClick(about.picture(), Qt::LeftButton);
        QTest::mouseClick(about.titleLabel(), Qt::LeftButton);
        QTest::keyClick(&about, Qt::Key_Return);
    }));
    EXPECT_TRUE(aboutClosedBy(window, [](SplashWindow& about) { QTest::mouseDClick(about.picture(), Qt::LeftButton); }));
    using Label = QLabel* (SplashWindow::*)() const;
    for (Label label : {&SplashWindow::copyrightLabel, &SplashWindow::titleLabel, &SplashWindow::versionLabel,
                        &SplashWindow::companyLabel, &SplashWindow::hintLabel}) {
        EXPECT_TRUE(aboutClosedBy(
            window, [label](SplashWindow& about) { QTest::mouseDClick((about.*label)(), Qt::LeftButton); }));
    }
    EXPECT_EQ(window.previewOpener()->userName(), userBefore);
}

TEST(SplashWindow, AUserWithoutAnAccountIsUnknown)
{
    const std::optional<bool> passed =
        passesAsUser(54321, QStringLiteral("AsUnknownUser.DISABLED_Splash"), QProcessEnvironment::systemEnvironment());
    if (!passed)
        GTEST_SKIP() << "needs root and setpriv to run a process as another user";
    EXPECT_TRUE(*passed);
}

// Run by the test above under a user id with no account, never by itself.
TEST(AsUnknownUser, DISABLED_Splash)
{
    SplashWindow splash;
    EXPECT_EQ(SplashWindow::userName(), QStringLiteral("<UNKNOWN>"));
    EXPECT_EQ(StartUp::userName(), QStringLiteral("<UNKNOWN>"));
}
