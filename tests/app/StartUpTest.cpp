#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(StartUp, HelpListsTheDeveloperSwitchesLastAndSaysWhatTheyAre)
{
    QProcess program;
    program.start(QStringLiteral(BW_APP_BINARY), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    const qsizetype version = help.indexOf(QStringLiteral("--version"));
    ASSERT_GE(version, 0) << help.toStdString();
    for (const char* option : {"--screenshot <FILE>", "--bench", "--tab <KIND>", "--about-screenshot <FILE>"}) {
        const qsizetype at = help.indexOf(QLatin1String(option));
        EXPECT_GT(at, version) << option;
        // Each option's help begins on its own line.
        EXPECT_TRUE(help.mid(at).section(u'\n', 0, 0).contains(QStringLiteral("For developers"))) << option;
    }
}

} // namespace
