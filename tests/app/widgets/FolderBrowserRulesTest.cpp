#include "app/widgets/FolderBrowser.h"
#include "support/FakePrompter.h"

#include <QLocale>

#include <gtest/gtest.h>

using bw::FolderBrowser;

namespace {

QString keyFor(const char* name)
{
    return FolderBrowser::localeKeyFor(QLocale(QString::fromLatin1(name)));
}

QString shorten(const char* path, int maxLength = 50)
{
    return FolderBrowser::shortenPath(QString::fromLatin1(path), maxLength);
}

// The main window's lists: the built-in ones without Portuguese.
QStringList withoutPortuguese(QStringList lines)
{
    lines.removeIf([](const QString& line) { return line.startsWith(u"0416="); });
    return lines;
}

} // namespace

TEST(FolderBrowserLocaleKey, MapsLocalesToFourHexDigitIdentifiers)
{
    EXPECT_EQ(keyFor("en_US"), u"0409");
    EXPECT_EQ(keyFor("en_GB"), u"0809");
    EXPECT_EQ(keyFor("en_TT"), u"2C09");
    EXPECT_EQ(keyFor("da_DK"), u"0406");
    EXPECT_EQ(keyFor("de_AT"), u"0C07");
    EXPECT_EQ(keyFor("de_LI"), u"1407");
    EXPECT_EQ(keyFor("it_CH"), u"0810");
    EXPECT_EQ(keyFor("nl_NL"), u"0413");
    EXPECT_EQ(keyFor("pt_BR"), u"0416");
    EXPECT_EQ(keyFor("fr_CA"), u"0C0C");
    // A territory the table lacks gives the language's neutral identifier.
    EXPECT_EQ(keyFor("en_GH"), u"0009");
    EXPECT_EQ(keyFor("de_BE"), u"0007");
    // No language known: no key.
    EXPECT_EQ(FolderBrowser::localeKeyFor(QLocale::c()), QString());
    EXPECT_EQ(keyFor("sw_KE"), QString());
}

TEST(FolderBrowserLocaleKey, EveryKeyOfTheBuiltInListsComesFromSomeLocale)
{
    const char* const locales[] = {"en_US", "en_GB", "en_AU", "en_CA", "en_NZ", "en_IE", "en_ZA", "en_JM",
                                   "en_BZ", "en_TT", "en_GH", "da_DK", "de_DE", "de_CH", "de_AT", "de_LU",
                                   "de_LI", "it_IT", "it_CH", "nl_NL", "pt_BR"};
    QStringList produced;
    for (const char* name : locales)
        produced << keyFor(name);
    for (const QString& line : FolderBrowser::builtInLabelCaptions()) {
        const QString key = line.section(u'=', 0, 0);
        if (key != u"Default") {
            EXPECT_TRUE(produced.contains(key)) << key.toStdString();
        }
    }
}

TEST(FolderBrowserCaptions, BuiltInListsHoldEveryKeyInOrder)
{
    QStringList keys;
    for (const QString& line : FolderBrowser::builtInNewFolderCaptions())
        keys << line.section(u'=', 0, 0);
    EXPECT_EQ(keys.join(u' '), u"Default 0009 0406 0407 0409 0410 0413 0416 0807 0809 0810 0C07 0C09 1007 1009 "
                               u"1407 1409 1809 1C09 2009 2809 2C09");
}

TEST(FolderBrowserCaptions, ChoiceForSeveralLocales)
{
    const QStringList labels = withoutPortuguese(FolderBrowser::builtInLabelCaptions());
    const QStringList newFolder = withoutPortuguese(FolderBrowser::builtInNewFolderCaptions());
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, keyFor("en_US")), u"Current folder:");
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, keyFor("da_DK")), u"Valgt mappe:");
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, keyFor("de_CH")), QString::fromUtf8("Ausgewählter Ordner:"));
    EXPECT_EQ(FolderBrowser::chooseCaption(newFolder, keyFor("it_IT")), u"Nuova Cartella");
    // Dutch has no colon.
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, keyFor("nl_NL")), u"Huidige map");
    // Portuguese is missing from the main window's lists: the default entry.
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, keyFor("pt_BR")), u"Current folder:");
    EXPECT_EQ(FolderBrowser::chooseCaption(FolderBrowser::builtInLabelCaptions(), keyFor("pt_BR")),
              u"Pasta Atual:");
    EXPECT_EQ(FolderBrowser::chooseCaption(labels, QString()), u"Current folder:");
}

TEST(FolderBrowserCaptions, FallbacksAndLetterCase)
{
    const QStringList lines{u"0c07=Austria"_qs, u"DEFAULT=Any"_qs, u"0409=USA=yes"_qs};
    EXPECT_EQ(FolderBrowser::chooseCaption(lines, u"0C07"_qs), u"Austria");
    EXPECT_EQ(FolderBrowser::chooseCaption(lines, u"0409"_qs), u"USA=yes");
    EXPECT_EQ(FolderBrowser::chooseCaption(lines, u"0413"_qs), u"Any");
    // No default entry: the first.
    EXPECT_EQ(FolderBrowser::chooseCaption({u"0407=Ordner"_qs, u"0409=Folder"_qs}, u"0413"_qs), u"Ordner");
    // A line without "=" has neither key nor text; an unknown locale does not match it.
    EXPECT_EQ(FolderBrowser::chooseCaption({u"no key here"_qs, u"0409=Folder"_qs}, QString()), QString());
    EXPECT_EQ(FolderBrowser::chooseCaption({u"=blank"_qs}, QString()), u"blank");
    EXPECT_EQ(FolderBrowser::chooseCaption({}, u"0409"_qs), QString());
}

TEST(FolderBrowserShortening, TheLongExample)
{
    const char* path = "C:\\Documents and Settings\\Administrator\\Local Settings\\Temp\\Output";
    ASSERT_EQ(qstrlen(path), 66u);
    const QString shown = shorten(path);
    EXPECT_EQ(shown, u"C:\\...\\Administrator\\Local Settings\\Temp\\Output");
    EXPECT_EQ(shown.size(), 47);
}

TEST(FolderBrowserShortening, ShortOrUnsplittablePathsAreCutOnly)
{
    const QString fifty = u"C:\\"_qs + QString(47, u'a');
    EXPECT_EQ(FolderBrowser::shortenPath(fifty, 50), fifty);
    EXPECT_EQ(shorten("C:\\a\\b\\c", 5), u"C:\\a\\");
    EXPECT_EQ(shorten("C:\\a", 0), QString());
    EXPECT_EQ(shorten("", 50), QString());
    const QString noSeparator(60, u'x');
    EXPECT_EQ(FolderBrowser::shortenPath(noSeparator, 50), noSeparator.left(50));
    // Fewer than two separators after the first two characters.
    const QString one = u"C:\\"_qs + QString(60, u'y');
    EXPECT_EQ(FolderBrowser::shortenPath(one, 50), one.left(50));
    const QString two = u"\\\\server\\"_qs + QString(60, u'z');
    EXPECT_EQ(FolderBrowser::shortenPath(two, 50), two.left(50));
}

TEST(FolderBrowserShortening, ALongLastNameEndsInDots)
{
    const QString path = u"C:\\Rescue\\"_qs + QString(60, u'n');
    const QString shown = FolderBrowser::shortenPath(path, 50);
    EXPECT_EQ(shown, (u"C:\\...\\"_qs + QString(60, u'n')).left(47) + u"..."_qs);
    EXPECT_EQ(shown.size(), 50);
}

TEST(FolderBrowserShortening, NetworkAndRootedPathsKeepTheirStart)
{
    const QString unc = u"\\\\GWSRV01\\MAIL\\PO1\\OFFILES\\FD3\\Rescued documents of last week"_qs;
    EXPECT_EQ(FolderBrowser::shortenPath(unc, 50), u"\\\\GWSRV01\\...\\FD3\\Rescued documents of last week");
    const QString posix = u"/home/administrator/rescue/library/authors/Output of the day"_qs;
    // Exactly 50 once shortened: nothing more is taken away.
    EXPECT_EQ(FolderBrowser::shortenPath(posix, 50, u'/'), u"/home/.../rescue/library/authors/Output of the day");
    // A path rooted without a drive keeps its first name whole.
    const QString rooted = u"\\Documents and Settings\\Administrator\\Local Settings\\Temp"_qs;
    EXPECT_EQ(FolderBrowser::shortenPath(rooted, 50), u"\\Documents and Settings\\...\\Local Settings\\Temp");
}

TEST(FolderBrowserProperties, DefaultsAndTheWidthRule)
{
    bw::test::FakePrompter prompter;
    FolderBrowser dialog(prompter);
    EXPECT_EQ(dialog.folder(), QString());
    EXPECT_EQ(dialog.options(), FolderBrowser::Options(FolderBrowser::ShowPath));
    EXPECT_EQ(dialog.rootFolder(), FolderBrowser::Root::DesktopExpanded);
    EXPECT_TRUE(dialog.newFolderVisible());
    EXPECT_TRUE(dialog.newFolderEnabled());
    EXPECT_EQ(dialog.newFolderWidth(), 75);
    EXPECT_EQ(dialog.labelCaptions(), FolderBrowser::builtInLabelCaptions());
    EXPECT_EQ(dialog.newFolderCaptions(), FolderBrowser::builtInNewFolderCaptions());
    dialog.setNewFolderWidth(0);
    EXPECT_EQ(dialog.newFolderWidth(), 75);
    dialog.setNewFolderWidth(-3);
    EXPECT_EQ(dialog.newFolderWidth(), 75);
    dialog.setNewFolderWidth(1);
    EXPECT_EQ(dialog.newFolderWidth(), 1);
}

TEST(FolderBrowserProperties, CaptionsFollowTheLocaleAndTheLists)
{
    bw::test::FakePrompter prompter;
    FolderBrowser dialog(prompter);
    dialog.setLocaleKey(u"0413"_qs);
    EXPECT_EQ(dialog.titleText(), u"Huidige map");
    EXPECT_EQ(dialog.newFolderText(), u"Nieuwe map");
    dialog.setLocaleKey(u"0416"_qs);
    EXPECT_EQ(dialog.titleText(), u"Pasta Atual:");
    dialog.setLabelCaptions(withoutPortuguese(FolderBrowser::builtInLabelCaptions()));
    EXPECT_EQ(dialog.titleText(), u"Current folder:");
    EXPECT_EQ(dialog.newFolderText(), u"Nova Pasta");
    dialog.setNewFolderCaptions({});
    EXPECT_EQ(dialog.newFolderText(), QString());
}
