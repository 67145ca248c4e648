#include "BrindlewickVersion.h"
#include "app/OtherUser.h"
#include "app/TMainScreen.h"
#include "app/TSplash.h"
#include "base/AccountName.h"
#include "base/CurrentUserName.h"
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
bool aboutClosedBy(TMainScreen& window, const std::function<void(TSplash&)>& act)
{
    bool closedByAct = false;
    QTimer::singleShot(0, &window, [&] {
        auto* about = qobject_cast<TSplash*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        act(*about);
        closedByAct = !about->isVisible();
        if (!closedByAct)
            about->reject();
    });
    window.About1Click();
    return closedByAct;
}

} // namespace

TEST(Splash, ShowsTheTitleAndTheProgramsOwnVersionValuesInTheirPlaces)
{
    TSplash splash;
    EXPECT_EQ(splash.size(), QSize(400, 223));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.label(2)->text(), QStringLiteral("Brindlewick"));
    EXPECT_EQ(splash.label(4)->text(), QString::fromUtf8(build::company));
    EXPECT_EQ(splash.label(3)->text(), QStringLiteral("Version ") + QString::fromUtf8(build::version));
    EXPECT_EQ(splash.label(1)->text(), QString::fromUtf8(build::copyright));
    EXPECT_EQ(splash.label(5)->text(), QString());
    EXPECT_EQ(splash.AboutMode(), 0);

    EXPECT_EQ(splash.label(4)->pos(), QPoint(35, 10));
    EXPECT_EQ(splash.label(2)->geometry(), QRect(25, 105, 202, splash.label(2)->height()));
    EXPECT_EQ(splash.label(3)->pos(), QPoint(35, 185));
    EXPECT_EQ(splash.label(1)->geometry().right() + 1, 376);
    EXPECT_EQ(splash.label(1)->y(), 185);
    EXPECT_EQ(splash.label(5)->pos(), QPoint(35, 200));
    EXPECT_EQ(splash.image()->geometry(), QRect(0, 0, 400, 223));
    EXPECT_FALSE(splash.image()->pixmap().isNull());
    for (int number : {1, 3, 4})
        expectWhole(splash.label(number));
    EXPECT_TRUE(splash.label(4)->font().bold() && splash.label(4)->font().italic());
    EXPECT_EQ(splash.label(4)->font().pointSize(), 16);
    EXPECT_EQ(splash.label(3)->font().pointSize(), 10);
    EXPECT_EQ(splash.label(1)->font().pointSize(), 8);
}

TEST(Splash, OnlyExactlySlashNSHidesIt)
{
    EXPECT_TRUE(TSplash::hasNoSplashSwitch({QStringLiteral("/NS")}));
    EXPECT_TRUE(TSplash::hasNoSplashSwitch({QStringLiteral("a.log"), QStringLiteral("/NS")}));
    EXPECT_FALSE(TSplash::hasNoSplashSwitch({QStringLiteral("/ns")}));
    EXPECT_FALSE(TSplash::hasNoSplashSwitch({QStringLiteral("/NSX")}));
    EXPECT_FALSE(TSplash::hasNoSplashSwitch({QStringLiteral(" /NS")}));
    EXPECT_FALSE(TSplash::hasNoSplashSwitch({}));
}

TEST(Splash, ADoubleClickDoesNotCloseTheStartUpSplash)
{
    TSplash splash;
    splash.show();
    QTest::mouseDClick(splash.image(), Qt::LeftButton);
    QTest::mouseDClick(splash.label(2), Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible());
}

TEST(Splash, TheAboutBoxClosesOnADoubleClickAnywhereAndOnNothingElse)
{
    FakePrompter prompter;
    TMainScreen window(prompter);
    window.show();
    const QString userBefore = [] {
        TSplash splash;
        return CurrentUserName();
    }();
    EXPECT_EQ(userBefore, effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>")).toUpper());

    EXPECT_FALSE(aboutClosedBy(window, [](TSplash& about) {
        EXPECT_EQ(about.label(5)->text(), QStringLiteral("Double Click to Exit"));
        EXPECT_EQ(about.AboutMode(), 1);
        EXPECT_TRUE(about.isModal());
        expectWhole(about.label(5));
        QTest::mouseClick(about.image(), Qt::LeftButton);
        QTest::mouseClick(about.label(2), Qt::LeftButton);
        QTest::keyClick(&about, Qt::Key_Return);
    }));
    EXPECT_TRUE(aboutClosedBy(window, [](TSplash& about) { QTest::mouseDClick(about.image(), Qt::LeftButton); }));
    for (int number = 1; number <= 5; ++number) {
        EXPECT_TRUE(aboutClosedBy(
            window, [number](TSplash& about) { QTest::mouseDClick(about.label(number), Qt::LeftButton); }))
            << "Label" << number;
    }
    EXPECT_EQ(CurrentUserName(), userBefore);
}

TEST(Splash, AUserWithoutAnAccountIsUnknown)
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
    TSplash splash;
    EXPECT_EQ(TSplash::wlGetUserName(), QStringLiteral("<UNKNOWN>"));
    EXPECT_EQ(CurrentUserName(), QStringLiteral("<UNKNOWN>"));
}
