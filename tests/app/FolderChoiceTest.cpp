#include "app/TMainScreen.h"
#include "app/WidgetPrompter.h"
#include "components/FolderBrowseDialog.h"

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
    TMainScreen window(prompter);
    FolderBrowseDialog* browser = window.folderBrowseDialog();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->objectName(), u"FolderBrowseDialog1");
    EXPECT_EQ(browser->Flags(), FolderBrowseDialog::TBrowseInfoFlagSet(FolderBrowseDialog::ShowPath));
    EXPECT_EQ(browser->RootFolder(), FolderBrowseDialog::foDesktopExpanded);
    EXPECT_FALSE(browser->NewFolderVisible());
    EXPECT_FALSE(browser->NewFolderEnabled());
    EXPECT_EQ(browser->NewFolderWidth(), 75);
    EXPECT_EQ(browser->LabelCaptions().size(), 21);
    // Portuguese falls back to the default entry in the window's lists.
    browser->setLocaleKey(u"0416"_qs);
    EXPECT_EQ(browser->TitleText(), u"Current folder:");
    EXPECT_EQ(browser->NewFolderText(), u"New folder");
    browser->setLocaleKey(u"0413"_qs);
    EXPECT_EQ(browser->TitleText(), u"Huidige map");
}

TEST(FolderChoice, TheWindowsPrompterChoosesWithIt)
{
    QTemporaryDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("start")));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("chosen")));
    const QString start = QDir::toNativeSeparators(temp.filePath(QStringLiteral("start")));
    const QString chosen = QDir::toNativeSeparators(temp.filePath(QStringLiteral("chosen")));
    WidgetPrompter prompter;
    TMainScreen window(prompter);
    prompter.setParent(&window);
    FolderBrowseDialog* browser = window.folderBrowseDialog();
    bool pick = true;
    browser->setOnInitialized([&](FolderBrowseDialog&, QDialog& dialog) {
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
