#include "report_engine/DemoReport.h"
#include "report_engine/PreviewOpener.h"
#include "report_engine/PrintJob.h"
#include "report_engine/StandardPreviewWindow.h"
#include "support/QtPrinting.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>

#include <gtest/gtest.h>

namespace bw::test {
namespace {

// Records the jobs it is asked to show and what the job tells it.
class RecordingPreview : public PreviewOpener {
public:
    std::vector<std::string> events;
    PrintJob* shown = nullptr;

    QObject* showPreview(PrintJob* job) override
    {
        shown = job;
        events.push_back("show " + std::to_string(static_cast<int>(job->status())));
        connect(job, &PrintJob::pageAvailable, job,
                [this](int n) { events.push_back("pages " + std::to_string(n) + " " + std::to_string(static_cast<int>(shown->status()))); });
        connect(job, &PrintJob::progressUpdate, job, [this](int p) {
            if (p == 0 || p == 100)
                events.push_back("progress " + std::to_string(p));
        });
        return job;
    }
    QObject* showPreviewModal(PrintJob* job) override { return showPreview(job); }
};

TEST(PrintJobTest, PreviewOpensThroughTheGivenOpenerAndTellsItOfPagesAndProgress)
{
    RecordingPreview opener;
    DemoReport demo(DemoReport::rows(60));
    demo.report.setPreviewOpener(&opener);
    QPointer<PrintJob> job = demo.report.preview();
    ASSERT_TRUE(job);
    EXPECT_EQ(opener.shown, job.data());
    const std::vector<std::string> expected{"show 0", "progress 0", "pages 1 1", "pages 2 1", "progress 100", "pages 2 2"};
    EXPECT_EQ(opener.events, expected);
    EXPECT_EQ(job->title(), QStringLiteral("Demonstration Report"));
    EXPECT_EQ(job->report(), &demo.report);
    // The preview's closing frees the job.
    job->previewClosed();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(job);
}

// QTest's key helpers want a QApplication; the engine has a QGuiApplication.
void press(QWindow* window, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

TEST(PrintJobTest, StandardPreviewPagesByKeyAndFreesTheJobWhenClosed)
{
    // Given no opener, a report shows the engine's standard preview.
    DemoReport demo(DemoReport::rows(60));
    QPointer<PrintJob> job = demo.report.preview();
    StandardPreviewWindow* window = nullptr;
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
        if (auto* p = qobject_cast<StandardPreviewWindow*>(w))
            window = p;
    }
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), QStringLiteral("Demonstration Report - page 1 of 2"));
    press(window, Qt::Key_PageDown);
    EXPECT_EQ(window->pageShown(), 2);
    press(window, Qt::Key_PageDown);
    EXPECT_EQ(window->pageShown(), 2);
    press(window, Qt::Key_Home);
    EXPECT_EQ(window->title(), QStringLiteral("Demonstration Report - page 1 of 2"));
    QPointer<StandardPreviewWindow> watched = window;
    press(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(watched);
    EXPECT_FALSE(job);
}

TEST(PrintJobTest, JobOutlivesItsReport)
{
    auto demo = std::make_unique<DemoReport>(DemoReport::rows(5));
    PrintJob job(&demo->report);
    ASSERT_TRUE(job.generate());
    demo.reset();
    EXPECT_EQ(job.report(), nullptr);
    EXPECT_EQ(job.pageCount(), 1);
}

} // namespace
} // namespace bw::test
