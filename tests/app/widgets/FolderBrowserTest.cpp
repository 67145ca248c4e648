#include "app/widgets/FolderBrowser.h"
#include "support/AtTwoFonts.h"
#include "support/FakePrompter.h"
#include "support/Wait.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace bw;
using namespace bw::test;

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The parts joined with the platform's separator.
QString joined(const QStringList& parts)
{
    return parts.join(QDir::separator());
}

QString currentPath(const FolderBrowser& browser)
{
    const QModelIndex current = browser.tree()->currentIndex();
    if (!current.isValid())
        return QString();
    return native(static_cast<QFileSystemModel*>(browser.tree()->model())->filePath(current));
}

void select(FolderBrowser& browser, const QString& path)
{
    auto* model = static_cast<QFileSystemModel*>(browser.tree()->model());
    browser.tree()->setCurrentIndex(model->index(path));
}

void click(QPushButton* button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs the steps one per opening of the dialog, each once the dialog's own
// event loop runs; an opening beyond the steps is cancelled.
class Driver {
public:
    explicit Driver(FolderBrowser& browser)
        : m_browser(browser)
    {
        browser.setOnInitialized([this](FolderBrowser& sender, QDialog& dialog) {
            EXPECT_EQ(&sender, &m_browser);
            EXPECT_EQ(&dialog, m_browser.dialog());
            const std::size_t opening = m_openings++;
            QTimer::singleShot(0, &dialog, [this, opening, &dialog] {
                if (opening < steps.size())
                    steps[opening]();
                else
                    dialog.reject();
            });
        });
    }
    int openings() const { return static_cast<int>(m_openings); }

    std::vector<std::function<void()>> steps;

private:
    FolderBrowser& m_browser;
    std::size_t m_openings = 0;
};

class FolderBrowserExecute : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        ASSERT_TRUE(QDir(m_temp.path()).mkpath(QStringLiteral("first")));
        ASSERT_TRUE(QDir(m_temp.path()).mkpath(QStringLiteral("second")));
    }
    QString path(const QString& name) const { return native(m_temp.filePath(name)); }
    QString root() const { return native(m_temp.path()); }

    QTemporaryDir m_temp;
    FakePrompter m_prompter;
};

} // namespace

TEST_F(FolderBrowserExecute, OkReturnsThePickedFolder)
{
    FolderBrowser browser(m_prompter);
    browser.setFolder(path(u"first"_qs));
    QStringList changes;
    browser.setOnSelectionChanged([&](FolderBrowser&, QDialog&, const QModelIndex& item, const QString& folder) {
        EXPECT_TRUE(item.isValid());
        changes << folder;
    });
    Driver driver(browser);
    driver.steps.push_back([&] {
        // The start folder is selected and shown in the status line.
        EXPECT_EQ(currentPath(browser), path(u"first"_qs));
        EXPECT_EQ(browser.statusLabel()->text(),
                  FolderBrowser::shortenPath(path(u"first"_qs), 50, QDir::separator()));
        EXPECT_TRUE(browser.statusLabel()->isVisible());
        select(browser, path(u"second"_qs));
        EXPECT_EQ(browser.statusLabel()->toolTip(), path(u"second"_qs));
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
    EXPECT_EQ(browser.folder(), path(u"second"_qs));
    EXPECT_EQ(changes, (QStringList{path(u"first"_qs), path(u"second"_qs)}));
    EXPECT_EQ(browser.dialog(), nullptr);

    // The next opening starts at the last choice.
    driver.steps.push_back([&] {
        EXPECT_EQ(currentPath(browser), path(u"second"_qs));
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
    EXPECT_EQ(browser.folder(), path(u"second"_qs));
}

TEST_F(FolderBrowserExecute, CancelKeepsTheStartFolder)
{
    FolderBrowser browser(m_prompter);
    browser.setFolder(path(u"first"_qs));
    Driver driver(browser);
    driver.steps.push_back([&] {
        select(browser, path(u"second"_qs));
        click(browser.dialog()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
    });
    EXPECT_FALSE(browser.execute());
    EXPECT_EQ(browser.folder(), path(u"first"_qs));
}

TEST_F(FolderBrowserExecute, AMissingStartFolderSelectsNothing)
{
    FolderBrowser browser(m_prompter);
    browser.setFolder(path(u"missing"_qs));
    Driver driver(browser);
    driver.steps.push_back([&] {
        EXPECT_FALSE(browser.tree()->currentIndex().isValid());
        EXPECT_EQ(browser.statusLabel()->text(), QString());
        // Nothing to choose yet.
        EXPECT_FALSE(browser.okButton()->isEnabled());
        browser.dialog()->reject();
    });
    EXPECT_FALSE(browser.execute());
    EXPECT_EQ(browser.folder(), path(u"missing"_qs));
}

TEST_F(FolderBrowserExecute, AnItemWithoutAPathGivesAnEmptyFolder)
{
    FolderBrowser browser(m_prompter);
    browser.setFolder(path(u"first"_qs));
    Driver driver(browser);
    driver.steps.push_back([&] {
        browser.browseSelectionChanged(QModelIndex(), QString(), u"Network"_qs);
        EXPECT_EQ(browser.statusLabel()->text(), u"Network");
        EXPECT_TRUE(browser.okButton()->isEnabled());
        EXPECT_FALSE(browser.newFolderButton()->isEnabled());
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
    EXPECT_EQ(browser.folder(), QString());

    // With file-system folders only, such an item cannot be chosen, and a
    // name that is not 8-bit text shows as nothing.
    browser.setOptions(FolderBrowser::ShowPath | FolderBrowser::OnlyFileSystem);
    driver.steps.push_back([&] {
        browser.browseSelectionChanged(QModelIndex(), QString(), u"Netzwerk \u2192"_qs);
        EXPECT_FALSE(browser.okButton()->isEnabled());
        EXPECT_EQ(browser.statusLabel()->text(), QString());
        select(browser, path(u"first"_qs));
        EXPECT_TRUE(browser.okButton()->isEnabled());
        EXPECT_TRUE(browser.newFolderButton()->isEnabled());
        browser.dialog()->reject();
    });
    EXPECT_FALSE(browser.execute());
}

TEST_F(FolderBrowserExecute, NewFolderIsMadeWithItsParentsAndTheDialogReopensOnIt)
{
    FolderBrowser browser(m_prompter);
    browser.setLocaleKey(u"0407"_qs);
    browser.setFolder(path(u"first"_qs));
    m_prompter.textAnswers = {QString(), QString(u""_qs), joined({u"made"_qs, u"inner"_qs})};
    const QString made = path(u"first/made/inner"_qs);
    Driver driver(browser);
    driver.steps.push_back([&] {
        QPushButton* button = browser.newFolderButton();
        EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(button->text(), u"Neuer Ordner");
        // A cancelled and an empty answer change nothing.
        click(button);
        click(button);
        EXPECT_TRUE(browser.dialog()->isVisible());
        EXPECT_FALSE(QFileInfo::exists(path(u"first/made"_qs)));
        click(button);
    });
    driver.steps.push_back([&] {
        EXPECT_EQ(currentPath(browser), made);
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
    EXPECT_EQ(driver.openings(), 2);
    EXPECT_TRUE(QFileInfo(made).isDir());
    EXPECT_EQ(browser.folder(), made);
    ASSERT_EQ(m_prompter.questions.size(), 3);
    EXPECT_TRUE(m_prompter.questions.front().startsWith(u"Neuer Ordner|"));
}

TEST_F(FolderBrowserExecute, CancelAfterANewFolderLeavesTheNewFolderInFolder)
{
    FolderBrowser browser(m_prompter);
    browser.setFolder(joined({root(), QString()}));
    m_prompter.textAnswers = {u"fresh"_qs};
    Driver driver(browser);
    // A trailing separator is not doubled.
    driver.steps.push_back([&] { click(browser.newFolderButton()); });
    EXPECT_FALSE(browser.execute());
    EXPECT_EQ(driver.openings(), 2);
    EXPECT_EQ(browser.folder(), joined({root(), u"fresh"_qs}));
    EXPECT_TRUE(QFileInfo(path(u"fresh"_qs)).isDir());
}

TEST_F(FolderBrowserExecute, ANewFolderThatCannotBeMadeIsReportedAndTheDialogStays)
{
    QFile blocker(m_temp.filePath(u"first/blocker"_qs));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FolderBrowser browser(m_prompter);
    browser.setFolder(path(u"first"_qs));
    m_prompter.textAnswers = {joined({u"blocker"_qs, u"sub"_qs})};
    Driver driver(browser);
    driver.steps.push_back([&] {
        click(browser.newFolderButton());
        EXPECT_TRUE(browser.dialog()->isVisible());
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
    EXPECT_EQ(driver.openings(), 1);
    EXPECT_EQ(browser.folder(), path(u"first"_qs));
    EXPECT_EQ(m_prompter.errors,
              QStringList{u"Error Creating Directory "_qs + joined({path(u"first"_qs), u"blocker"_qs, u"sub"_qs})});
}

TEST_F(FolderBrowserExecute, HiddenAndDisabledNewFolderButton)
{
    FolderBrowser browser(m_prompter);
    browser.setNewFolderVisible(false);
    browser.setNewFolderEnabled(false);
    browser.setFolder(path(u"first"_qs));
    Driver driver(browser);
    driver.steps.push_back([&] {
        EXPECT_FALSE(browser.newFolderButton()->isVisible());
        EXPECT_FALSE(browser.newFolderButton()->isEnabled());
        // Shown again while open, it stays disabled.
        browser.setNewFolderVisible(true);
        EXPECT_TRUE(browser.newFolderButton()->isVisible());
        EXPECT_FALSE(browser.newFolderButton()->isEnabled());
        browser.dialog()->reject();
    });
    EXPECT_FALSE(browser.execute());
}

namespace {

using FolderBrowserAtTwoFonts = AtTwoFontsOf<>;

int textWidth(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().horizontalAdvance(text);
}

} // namespace

TEST_P(FolderBrowserAtTwoFonts, CentredWithTheButtonInItsCornerAndNothingCut)
{
    QTemporaryDir temp;
    // Deep enough that the status line shows a shortened path.
    const QString deep = temp.filePath(u"Documents and Settings/Administrator/Local Settings/Temp/Output"_qs);
    ASSERT_TRUE(QDir().mkpath(deep));
    FakePrompter prompter;
    FolderBrowser browser(prompter);
    browser.setLocaleKey(u"0410"_qs);
    browser.setFolder(native(deep));
    browser.setDialogTitle(u"Select the Required Output Directory"_qs);
    Driver driver(browser);
    driver.steps.push_back([&] {
        QDialog* dialog = browser.dialog();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        const QRect screen = dialog->screen()->geometry();
        EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - screen.center().x()), 1);
        EXPECT_LE(std::abs(dialog->frameGeometry().center().y() - screen.center().y()), 1);
        // Room for the caption in a bold title bar beside its buttons.
        QFont bold = dialog->font();
        bold.setBold(true);
        EXPECT_GE(dialog->width(), QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) +
                                       6 * QFontMetrics(bold).height());
        EXPECT_EQ(dialog->width(), FolderBrowser::titleBarWidth(*dialog));

        QPushButton* newFolder = browser.newFolderButton();
        EXPECT_EQ(newFolder->text(), u"Nuova Cartella");
        const QRect placed = newFolder->geometry();
        EXPECT_GE(placed.left(), 12);
        EXPECT_GE(dialog->height() - placed.top(), 36);
        EXPECT_GE(placed.width(), 75);
        EXPECT_GE(placed.height(), 23);
        EXPECT_EQ(placed.top(), browser.okButton()->mapTo(dialog, QPoint()).y());
        for (const QPushButton* b : dialog->findChildren<QPushButton*>())
            EXPECT_LE(textWidth(b, b->text()), b->contentsRect().width()) << b->text().toStdString();
        for (const QLabel* l : dialog->findChildren<QLabel*>())
            EXPECT_LE(textWidth(l, l->text()), l->contentsRect().width()) << l->text().toStdString();
        EXPECT_TRUE(browser.statusLabel()->text().contains(u"..."));
        // Still in view once the folders around it have come in.
        QTest::qWait(300);
        const QRect shown = browser.tree()->visualRect(browser.tree()->currentIndex());
        EXPECT_TRUE(browser.tree()->viewport()->rect().contains(shown)) << shown.y();
        if (const QByteArray folder = qgetenv("BW_SCREENSHOTS"); !folder.isEmpty())
            dialog->grab().save(QString::fromLocal8Bit(folder) + u"/folder-browse-"_qs +
                                QString::number(GetParam()) + u".png"_qs);
        click(browser.okButton());
    });
    EXPECT_TRUE(browser.execute());
}

INSTANTIATE_TEST_SUITE_P(Fonts, FolderBrowserAtTwoFonts, ::testing::Values(1.0, 1.5));
