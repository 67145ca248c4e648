#include "app/mainwindow/MainWindow.h"
#include "app/widgets/FolderBrowser.h"
#include "app/widgets/WidgetPrompter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace bw;

TEST(FolderChoice, TheWindowsBrowserHasItsCaptionsAndNoNewFolderButton)
{
    WidgetPrompter prompter;
    MainWindow window(prompter);
    FolderBrowser* browser = window.folderBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->objectName(), u"FolderBrowseDialog1");
    EXPECT_EQ(browser->options(), FolderBrowser::Options(FolderBrowser::ShowPath));
    EXPECT_EQ(browser->rootFolder(), FolderBrowser::Root::DesktopExpanded);
    EXPECT_FALSE(browser->newFolderVisible());
    EXPECT_FALSE(browser->newFolderEnabled());
    EXPECT_EQ(browser->newFolderWidth(), 75);
    EXPECT_EQ(browser->labelCaptions().size(), 21);
    // Portuguese falls back to the default entry in the window's lists.
    browser->setLocaleKey(u"0416"_qs);
    EXPECT_EQ(browser->titleText(), u"Current folder:");
    EXPECT_EQ(browser->newFolderText(), u"New folder");
    browser->setLocaleKey(u"0413"_qs);
    EXPECT_EQ(browser->titleText(), u"Huidige map");
}

TEST(FolderChoice, TheWindowsPrompterChoosesWithIt)
{
    QTemporaryDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("start")));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("chosen")));
    const QString start = QDir::toNativeSeparators(temp.filePath(QStringLiteral("start")));
    const QString chosen = QDir::toNativeSeparators(temp.filePath(QStringLiteral("chosen")));
    WidgetPrompter prompter;
    MainWindow window(prompter);
    prompter.setParent(&window);
    FolderBrowser* browser = window.folderBrowser();
    bool pick = true;
    browser->setOnInitialized([&](FolderBrowser&, QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.parentWidget(), &window);
            EXPECT_EQ(dialog.windowTitle(), u"Select the Output Directory");
            EXPECT_FALSE(browser->newFolderButton()->isVisible());
            auto* model = static_cast<QFileSystemModel*>(browser->tree()->model());
            EXPECT_EQ(QDir::toNativeSeparators(model->filePath(browser->tree()->currentIndex())), start);
            if (!pick) {
                dialog.reject();
                return;
            }
            browser->tree()->setCurrentIndex(model->index(chosen));
            QTest::mouseClick(browser->okButton(), Qt::LeftButton);
        });
    });
    EXPECT_EQ(prompter.chooseFolder(u"Select the Output Directory"_qs, start), chosen);
    pick = false;
    EXPECT_EQ(prompter.chooseFolder(u"Select the Output Directory"_qs, start), std::nullopt);
}
