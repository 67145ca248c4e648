#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ReportObjects.h"
#include "app/mainwindow/ScanTab.h"
#include "app/preview/ReportPreviewWindow.h"
#include "report_engine/PrintJob.h"
#include "reports/BlobReport.h"
#include "reports/ContentsReport.h"
#include "reports/DocumentReport.h"
#include "reports/ExpireReport.h"
#include "support/FakePrompter.h"
#include "support/Wait.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

ReportPreviewWindow* openPreview()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<ReportPreviewWindow*>(w); p && p->isVisible())
            return p;
    }
    return nullptr;
}

void closePreviews()
{
    while (ReportPreviewWindow* p = openPreview())
        p->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const char* const samples[] = {"contents.log", "documents.log", "expire.log", "structure.log"};

} // namespace

TEST(Print, EachTabPreviewsItsOwnReportOfThePausedSectionAndReusesIt)
{
    FakePrompter prompter;
    MainWindow window(prompter);
    ReportObjects reports(window);
    EXPECT_EQ(window.tab(0)->report(), &reports.contentsReport());
    EXPECT_EQ(window.tab(1)->report(), &reports.documentReport());
    EXPECT_EQ(window.tab(2)->report(), &reports.expireReport());
    EXPECT_EQ(window.tab(3)->report(), &reports.blobReport());
    window.show();
    const char* const titles[] = {"GWCheck Contents Check Parser Report - 1 page",
                                  "GWCheck Document Error 50 Check Parser Report - 1 page",
                                  "GWCheck Expire Statistics Check Parser Report - 1 page",
                                  "GWCheck Document Error 52 Check Parser Report - 1 page"};
    for (int i = 0; i < MainWindow::tabCount; ++i) {
        ScanTab* tab = window.tab(i);
        window.tabWidget()->setCurrentIndex(i);
        tab->choose(QStringLiteral(BW_SAMPLES "/") + QString::fromLatin1(samples[i]));
        tab->onParseClicked();
        ASSERT_TRUE(waitUntil([tab] { return tab->scan().awaitingContinue(); })) << i;
        for (int run = 1; run <= 2; ++run) {
            QTest::mouseClick(tab->printButton(), Qt::LeftButton);
            ReportPreviewWindow* preview = openPreview();
            ASSERT_TRUE(preview) << i;
            EXPECT_EQ(preview->windowTitle(), QString::fromLatin1(titles[i]));
            EXPECT_EQ(tab->report()->description().size(), run) << "one object, a line per Print";
            closePreviews();
        }
        tab->onContinueClicked();
        ASSERT_TRUE(waitUntil([tab] { return !tab->scanRunning() || tab->scan().awaitingContinue(); })) << i;
        while (tab->scanRunning()) {
            tab->onContinueClicked();
            ASSERT_TRUE(waitUntil([tab] { return !tab->scanRunning() || tab->scan().awaitingContinue(); }));
        }
    }
}
