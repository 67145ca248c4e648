#include "app/mainwindow/MainWindow.h"
#include "app/preview/PreviewControl.h"
#include "app/preview/ReportPreviewWindow.h"
#include "app/preview/WindowPreviewOpener.h"
#include "app/widgets/WidgetPrompter.h"
#include "report_engine/CsvExportFilter.h"
#include "report_engine/DemoReport.h"
#include "report_engine/ExportFilterList.h"
#include "report_engine/PageList.h"
#include "report_engine/PrintJob.h"
#include "report_engine/StandardPreviewWindow.h"
#include "support/AtTwoFonts.h"
#include "support/FakePrompter.h"
#include "support/Wait.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

// A main window, started by JSMITH, registers the filters; each test
// previews a demonstration report through the window's opener and closes the
// preview at its end.
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest()
        : window(prompter, QStringLiteral("JSMITH"))
    {
    }
    ~PreviewTest() override
    {
        if (preview)
            preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ReportPreviewWindow* show(DemoReport& demo)
    {
        demo.report.setPreviewOpener(window.previewOpener());
        job = demo.report.preview();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* p = qobject_cast<ReportPreviewWindow*>(w); p && p->job() == job)
                preview = p;
        }
        EXPECT_TRUE(preview);
        // Pages arrive from the event loop; the tests look at the whole report.
        EXPECT_TRUE(waitUntil([&] { return !job || job->status() == PrintJob::Status::Finished; }, 60000));
        QApplication::setActiveWindow(preview);
        EXPECT_TRUE(QTest::qWaitForWindowActive(preview));
        return preview;
    }

    QString panel(int i) const { return preview->statusPanel(i)->text(); }
    std::vector<bool> navigation() const
    {
        return {preview->firstPageButton()->isEnabled(), preview->previousPageButton()->isEnabled(),
                preview->nextPageButton()->isEnabled(), preview->lastPageButton()->isEnabled()};
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    FakePrompter prompter;
    MainWindow window;
    QTemporaryDir dir;
    QPointer<PrintJob> job;
    QPointer<ReportPreviewWindow> preview;
};

const std::vector<bool> none{false, false, false, false};
const std::vector<bool> forward{false, false, true, true};
const std::vector<bool> all{true, true, true, true};
const std::vector<bool> back{true, true, false, false};

TEST_F(PreviewTest, OnePageReport)
{
    DemoReport demo(DemoReport::rows(3));
    show(demo);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Demonstration Report - 1 page"));
    EXPECT_EQ(navigation(), none);
    EXPECT_EQ(panel(0), QStringLiteral("Finished"));
    EXPECT_EQ(panel(1), QStringLiteral("Page 1 of 1"));
    EXPECT_TRUE(preview->printButton()->isEnabled());
}

TEST_F(PreviewTest, NavigationOverSeveralPagesByButtonAndKey)
{
    DemoReport demo(DemoReport::rows(120));
    show(demo);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Demonstration Report - 3 pages"));
    EXPECT_EQ(navigation(), forward);
    QTest::mouseClick(preview->nextPageButton(), Qt::LeftButton);
    EXPECT_EQ(preview->preview()->pageNumber(), 2);
    EXPECT_EQ(navigation(), all);
    EXPECT_EQ(panel(1), QStringLiteral("Page 2 of 3"));
    QTest::mouseClick(preview->lastPageButton(), Qt::LeftButton);
    EXPECT_EQ(navigation(), back);
    QTest::keyClick(preview->saveButton(), Qt::Key_End);
    EXPECT_EQ(preview->preview()->pageNumber(), 3);
    QTest::keyClick(preview->preview(), Qt::Key_PageUp);
    EXPECT_EQ(preview->preview()->pageNumber(), 2);
    QTest::keyClick(preview, Qt::Key_Home);
    EXPECT_EQ(preview->preview()->pageNumber(), 1);
    QTest::keyClick(preview, Qt::Key_Home);
    EXPECT_EQ(preview->preview()->pageNumber(), 1);
    QTest::keyClick(preview, Qt::Key_PageDown);
    EXPECT_EQ(panel(1), QStringLiteral("Page 2 of 3"));
    // A button's Alt key clicks it as a short animation.
    QTest::keyClick(preview, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return preview->preview()->pageNumber() == 3; }, 1000));
    QTest::keyClick(preview, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return preview->preview()->pageNumber() == 1; }, 1000));
    EXPECT_EQ(navigation(), forward);
}

TEST_F(PreviewTest, ReportWithoutTitleIsUntitled)
{
    DemoReport demo(DemoReport::rows(120), QString());
    show(demo);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Untitled report - 3 pages"));
}

TEST_F(PreviewTest, ModelessPreviewOpensWithPrintDisabledUntilTheJobIsFinished)
{
    DemoReport demo(DemoReport::rows(3));
    PrintJob* ready = new PrintJob(&demo.report);
    ready->setDeleteOnPreviewClosed(true);
    WindowPreviewOpener interface(prompter, {});
    preview = qobject_cast<ReportPreviewWindow*>(interface.showPreview(ready));
    ASSERT_TRUE(preview);
    EXPECT_FALSE(preview->printButton()->isEnabled());
    QPointer<PrintJob> watched = ready;
    ready->generate();
    EXPECT_TRUE(preview->printButton()->isEnabled());
    EXPECT_EQ(preview->statusText(), QStringLiteral("Finished"));
    // Closing frees the window and the job.
    QTest::keyClick(preview, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(preview);
    EXPECT_FALSE(watched);
}

TEST_F(PreviewTest, TheFirstPageShowsWhileTheRestIsLaidOut)
{
    DemoReport demo(DemoReport::rows(100000, 7));
    demo.report.setPreviewOpener(window.previewOpener());
    job = demo.report.preview();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<ReportPreviewWindow*>(w); p && p->job() == job)
            preview = p;
    }
    ASSERT_TRUE(preview);
    // Print returns with page 1 there and shown, long before the last (how
    // soon is bench/report_cli.sh's to measure, not a test's).
    QApplication::processEvents();
    EXPECT_GE(job->pageCount(), 1);
    EXPECT_EQ(job->status(), PrintJob::Status::Busy);
    EXPECT_EQ(panel(0), QStringLiteral("Busy"));
    EXPECT_EQ(panel(1), QStringLiteral("Page 1 of %1").arg(job->pageCount()));
    EXPECT_FALSE(preview->printButton()->isEnabled());
    // The count follows as pages arrive; at the end the job is finished.
    ASSERT_TRUE(waitUntil([&] { return job->status() == PrintJob::Status::Finished; }, 60000));
    EXPECT_GE(job->pageCount(), 2000);
    EXPECT_EQ(panel(0), QStringLiteral("Finished"));
    EXPECT_EQ(panel(1), QStringLiteral("Page 1 of %1").arg(job->pageCount()));
    EXPECT_TRUE(preview->printButton()->isEnabled());
    // An export while pages still arrive finishes the job's run first.
    job->generateStepwise();
    ASSERT_EQ(job->status(), PrintJob::Status::Busy);
    CsvExportFilter csv(file("during.csv"), u',');
    EXPECT_TRUE(job->exportTo(csv));
    ASSERT_TRUE(waitUntil([&] { return job->status() == PrintJob::Status::Finished; }, 60000));
    EXPECT_GE(job->pageCount(), 2000);
    EXPECT_TRUE(job->page(job->pageCount())->texts().back().text.startsWith(QStringLiteral("Total - 100000")));
}

TEST_F(PreviewTest, ZoomLimitsAndProgress)
{
    DemoReport demo(DemoReport::rows(3));
    show(demo);
    PreviewControl* view = preview->preview();
    view->setZoom(15);
    QTest::mouseClick(preview->zoomOutButton(), Qt::LeftButton);
    EXPECT_EQ(view->zoom(), 5);
    QTest::mouseClick(preview->zoomOutButton(), Qt::LeftButton);
    EXPECT_EQ(view->zoom(), 5);
    view->setZoom(10);
    QTest::mouseClick(preview->zoomOutButton(), Qt::LeftButton);
    EXPECT_EQ(view->zoom(), 10);
    view->setZoom(1990);
    QTest::mouseClick(preview->zoomInButton(), Qt::LeftButton);
    EXPECT_EQ(view->zoom(), 2000);
    QTest::mouseClick(preview->zoomInButton(), Qt::LeftButton);
    EXPECT_EQ(view->zoom(), 2000);
    view->setZoom(1);
    EXPECT_EQ(view->zoom(), 2000);
    emit job->progressUpdate(40);
    EXPECT_EQ(preview->progressBar()->value(), 40);
    emit job->progressUpdate(100);
    EXPECT_EQ(preview->progressBar()->value(), 0);
}

TEST_F(PreviewTest, FirstPageIsFittedWholeAndAltArrowsScrollATenth)
{
    DemoReport demo(DemoReport::rows(3));
    show(demo);
    PreviewControl* view = preview->preview();
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);
    EXPECT_LT(view->zoom(), 100);
    view->setZoom(400);
    QScrollBar* v = view->verticalScrollBar();
    QScrollBar* h = view->horizontalScrollBar();
    ASSERT_GT(v->maximum(), 1000);
    ASSERT_GT(h->maximum(), 100);
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(v->value(), v->maximum() / 10);
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(v->value(), 2 * (v->maximum() / 10));
    QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(v->value(), v->maximum() / 10);
    QTest::keyClick(preview->openButton(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(h->value(), h->maximum() / 10);
    QTest::keyClick(preview, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(h->value(), 0);
}

TEST_F(PreviewTest, OpenOfAMissingFileSaysSoAndKeepsTheJob)
{
    DemoReport demo(DemoReport::rows(120));
    show(demo);
    prompter.fileAnswers.push_back(file("missing.qrp"));
    QTest::mouseClick(preview->openButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.openTitles, QStringList{QStringLiteral("Load report")});
    EXPECT_EQ(prompter.openFilters, QStringList{QStringLiteral("Report page file (*.qrp)")});
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Error!  File does not exist")});
    EXPECT_EQ(job->pageCount(), 3);
    EXPECT_EQ(job->report(), &demo.report);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Demonstration Report - 3 pages"));
}

TEST_F(PreviewTest, OpenOfASavedOnePageFileKeepsThePluralAndDropsTheReport)
{
    DemoReport one(DemoReport::rows(3));
    PrintJob saved(&one.report);
    saved.generate();
    ASSERT_TRUE(saved.save(file("one.qrp")));
    QFile::copy(file("one.qrp"), file("damaged.qrp"));
    QFile::resize(file("damaged.qrp"), 200);

    DemoReport demo(DemoReport::rows(120));
    show(demo);
    QTest::mouseClick(preview->lastPageButton(), Qt::LeftButton);
    // A damaged file is refused with its reason; the job stays.
    prompter.fileAnswers.push_back(file("damaged.qrp"));
    QTest::mouseClick(preview->openButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(job->pageCount(), 3);
    EXPECT_EQ(job->report(), &demo.report);

    prompter.fileAnswers.push_back(file("one.qrp"));
    QTest::mouseClick(preview->openButton(), Qt::LeftButton);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Viewing saved report - %1 - 1 pages").arg(file("one.qrp")));
    EXPECT_EQ(job->report(), nullptr);
    EXPECT_EQ(preview->preview()->pageNumber(), 1);
    EXPECT_EQ(navigation(), none);
    EXPECT_TRUE(preview->printButton()->isEnabled());
    EXPECT_EQ(panel(0), QStringLiteral("Finished"));
    // A loaded job has no report to run again: its stored pages go through
    // the filters, into every form.
    const std::vector<std::pair<Prompter::SaveChoice, QByteArray>> forms{
        {{file("loaded.txt"), 2}, "         Demonstration Report"},
        {{file("loaded.csv"), 3}, "Demonstration Report,"},
        {{file("loaded.htm"), 4}, "<!DOCTYPE html>"},
        {{file("loaded.pdf"), 5}, "%PDF"},
    };
    for (const auto& [choice, start] : forms) {
        prompter.saveAsAnswers.push_back(choice);
        QTest::mouseClick(preview->saveButton(), Qt::LeftButton);
        QFile f(choice.path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << choice.path.toStdString();
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.startsWith(start)) << choice.path.toStdString();
        if (choice.entry != 5) {
            EXPECT_TRUE(bytes.contains("User 3")) << choice.path.toStdString();
        }
    }
    EXPECT_EQ(prompter.errors.size(), 1);
}

QByteArray head(const QString& path, int n)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

TEST_F(PreviewTest, SaveByEachEntryAndThePdfRules)
{
    DemoReport demo(DemoReport::rows(120));
    show(demo);
    const std::vector<std::pair<Prompter::SaveChoice, QByteArray>> cases{
        {{file("r.qrp"), 1}, "BWQR"},
        {{file("r.txt"), 2}, "         Demonstration Report"},
        {{file("r.csv"), 3}, "Demonstration Report,"},
        {{file("r.htm"), 4}, "<!DOCTYPE html>"},
        {{file("r.pdf"), 5}, "%PDF"},
        {{file("upper.PDF"), 2}, "%PDF"},
        {{file("pick.pdf"), 3}, "%PDF"},
        {{file("asked.txt"), 5}, "%PDF"},
        // The extension picks the form for the other entries, the page file's too.
        {{file("default.pdf"), 1}, "%PDF"},
        {{file("default.csv"), 1}, "Demonstration Report,"},
        {{file("other.htm"), 2}, "<!DOCTYPE html>"},
        {{file("other.qrp"), 3}, "BWQR"},
    };
    for (const auto& [choice, start] : cases)
        prompter.saveAsAnswers.push_back(choice);
    for (std::size_t i = 0; i < cases.size(); ++i)
        QTest::mouseClick(preview->saveButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.questions.size(), static_cast<qsizetype>(cases.size()));
    EXPECT_EQ(prompter.questions[0], QStringLiteral("Save report|qrp|Report page file (*.qrp);;Text file (*.TXT);;"
                                                    "Comma Separated (*.CSV);;HTML document (*.HTM);;"
                                                    "Portable Document Format (*.PDF)"));
    for (const auto& [choice, start] : cases) {
        // A PDF always gets the extension ".pdf".
        QString written = choice.path;
        if (start == "%PDF")
            written = written.left(written.lastIndexOf(u'.')) + QStringLiteral(".pdf");
        EXPECT_EQ(head(written, static_cast<int>(start.size())), start) << written.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file("asked.txt")));
    PrintJob loaded;
    ASSERT_TRUE(loaded.load(file("r.qrp")));
    EXPECT_EQ(loaded.pageCount(), 3);
    EXPECT_TRUE(prompter.errors.isEmpty());
}

TEST_F(PreviewTest, PdfCarriesTheUserTheTitleAndTheFirstRunsDescription)
{
    DemoReport demo(DemoReport::rows(3));
    show(demo);
    // Saving runs the report again, from another log: a second line.
    demo.logPath = QStringLiteral("/logs/second.log");
    prompter.saveAsAnswers.push_back(Prompter::SaveChoice{file("first.csv"), 3});
    prompter.saveAsAnswers.push_back(Prompter::SaveChoice{file("r.pdf"), 5});
    QTest::mouseClick(preview->saveButton(), Qt::LeftButton);
    QTest::mouseClick(preview->saveButton(), Qt::LeftButton);
    ASSERT_EQ(demo.report.description().size(), 3);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file("r.pdf")});
    ASSERT_TRUE(info.waitForFinished(20000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("Author:          JSMITH\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Title:           Demonstration Report\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("Subject:         Results of Parsing Log File /logs/demo.log\n")));
}

TEST(PreviewControlBounds, ASheetOfAnySizeFromAPageFileKeepsTheScrollBarsInRange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.qrp"));
    PageList list;
    list.append(ReportPage(QSizeF(1e300, 1e-300)));
    ASSERT_TRUE(list.saveToFile(path));
    PrintJob job;
    ASSERT_TRUE(job.load(path));
    PreviewControl view;
    view.resize(400, 300);
    view.setJob(&job);
    view.zoomToFit();
    EXPECT_EQ(view.zoom(), PreviewControl::minZoom);
    view.setZoom(PreviewControl::maxZoom);
    // Ten metres at 2000 %: wide, but a real range, not a wrapped int.
    const double sheet = 10000 * view.logicalDpiX() / 25.4 * PreviewControl::maxZoom / 100;
    EXPECT_NEAR(view.horizontalScrollBar()->maximum(), std::ceil(sheet) + 20 - view.viewport()->width(), 2);
    EXPECT_GE(view.verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(view.grab().isNull());
}

TEST(PreviewWindow, FitsItsFrameToTheWorkAreaResizesAndKeepsItsDialogsOverIt)
{
    QWidget main;
    main.show();
    WidgetPrompter prompter;
    prompter.setParent(&main);
    DemoReport demo(DemoReport::rows(3));
    PrintJob job(&demo.report);
    job.generate();
    QPointer<ReportPreviewWindow> preview = new ReportPreviewWindow(&job, prompter, QString());
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    const QRect area = preview->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(preview->frameGeometry())) << preview->frameGeometry().x() << "," << preview->frameGeometry().y() << " " << preview->frameGeometry().width() << "x" << preview->frameGeometry().height() << " in " << area.width() << "x" << area.height();
    EXPECT_TRUE(area.contains(preview->statusPanel(1)->mapToGlobal(preview->statusPanel(1)->rect().bottomRight())));
    EXPECT_LT(preview->minimumSize().height(), preview->maximumSize().height());
    EXPECT_LT(preview->minimumSize().width(), preview->maximumSize().width());

    // The Save dialog belongs to the preview; after it the preview is active
    // and the prompter's own parent is back.
    QWidget* owner = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            owner = dialog->parentWidget();
            dialog->reject();
        }
    });
    poll.start(10);
    preview->onSaveClicked();
    poll.stop();
    EXPECT_EQ(owner, preview.data());
    EXPECT_EQ(prompter.parent(), &main);
    EXPECT_TRUE(QTest::qWaitForWindowActive(preview));
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PreviewInstallation, MainWindowsOpenerAndFiltersServeUntilItCloses)
{
    DemoReport demo(DemoReport::rows(3));
    {
        FakePrompter prompter;
        MainWindow window(prompter);
        demo.report.setPreviewOpener(window.previewOpener());
        const auto filters = ExportFilterList::entries();
        ASSERT_EQ(filters.size(), 3u);
        EXPECT_EQ(filters[0].name + filters[0].extension, QStringLiteral("Text fileTXT"));
        EXPECT_EQ(filters[1].name + filters[1].extension, QStringLiteral("Comma SeparatedCSV"));
        EXPECT_EQ(filters[2].name + filters[2].extension, QStringLiteral("HTML documentHTM"));
        window.show();
        QPointer<PrintJob> job = demo.report.preview();
        ReportPreviewWindow* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* p = qobject_cast<ReportPreviewWindow*>(w); p && p->job() == job)
                preview = p;
        }
        ASSERT_TRUE(preview);
        preview->close();
        EXPECT_TRUE(window.close());
        // Closed, the window no longer opens previews: its report falls back
        // on the engine's standard one.
        EXPECT_EQ(window.previewOpener(), nullptr);
        job = demo.report.preview();
        StandardPreviewWindow* standard = nullptr;
        for (QWindow* w : QGuiApplication::topLevelWindows()) {
            if (auto* p = qobject_cast<StandardPreviewWindow*>(w))
                standard = p;
        }
        ASSERT_TRUE(standard);
        standard->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(job);
    }
    EXPECT_TRUE(ExportFilterList::entries().empty());
}

} // namespace

namespace {

// The preview at the default font and at one half as large again; with
// BW_PREVIEW_SHOTS naming a folder, a picture of each goes there.
using PreviewAtTwoFonts = AtTwoFontsOf<PreviewTest>;

int textWidth(const QWidget* widget, QString text)
{
    return widget->fontMetrics().horizontalAdvance(text.remove(u'&'));
}

TEST_P(PreviewAtTwoFonts, NoCaptionOrPanelIsCut)
{
    DemoReport demo(DemoReport::rows(10000, 7));
    show(demo);
    QTest::mouseClick(preview->nextPageButton(), Qt::LeftButton);
    EXPECT_EQ(panel(1), QStringLiteral("Page 2 of %1").arg(job->pageCount()));
    EXPECT_GE(job->pageCount(), 200);
    QApplication::processEvents();
    for (const QPushButton* b : preview->findChildren<QPushButton*>()) {
        EXPECT_LE(textWidth(b, b->text()), b->contentsRect().width()) << b->text().toStdString();
        EXPECT_GE(b->geometry().right(), 0);
        EXPECT_LE(b->geometry().right(), preview->width()) << b->text().toStdString();
    }
    for (int i = 0; i < 2; ++i)
        EXPECT_LE(textWidth(preview->statusPanel(i), panel(i)), preview->statusPanel(i)->contentsRect().width()) << i;
    const QRect bar = preview->progressBar()->geometry();
    EXPECT_EQ(bar, preview->statusPanel(2)->geometry().adjusted(-1, -1, 1, 1));
    if (const QString shots = qEnvironmentVariable("BW_PREVIEW_SHOTS"); !shots.isEmpty())
        preview->grab().save(QStringLiteral("%1/preview-%2.png").arg(shots).arg(GetParam() > 1 ? "large" : "normal"));
}

INSTANTIATE_TEST_SUITE_P(Fonts, PreviewAtTwoFonts, ::testing::Values(1.0, 1.5));

} // namespace
