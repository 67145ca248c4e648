#include "cli/CliRun.h"
#include "support/ActionFixture.h"
#include "support/ScanRecorder.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

TEST(CliCompare, CountsTotalsAndRowsAsTsvOrJsonAndTheExportWithItsHeader)
{
    TempLog before(contentsLog({{"ADA (a1a)", "100"}, {"BOB (b1b)", "50"}, {"J\xC9R (j1j)", "9"}}));
    TempLog after(contentsLog({{"ADA (a1a)", "160"}, {"BOB (b1b)", "50"}, {"CY (c1c)", "7"}}));
    const std::string o = before.path().toStdString(), n = after.path().toStdString();
    const auto tsv = cli({"compare", "contents", o, n});
    EXPECT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(outputLines(tsv.out), (std::vector<std::string>{
                                  "# Old log: " + o, "# New log: " + n, "# 2 users in both, 1 new, 1 gone",
                                  "# Total Size: 159 then, 217 now, change +58", "ADA\ta1a\t100\t160\t60\t60.0\tboth",
                                  "BOB\tb1b\t50\t50\t0\t0.0\tboth", "CY\tc1c\t\t7\t\t\tnew", "J\xC9R\tj1j\t9\t\t\t\tgone"}));

    const QString exported = before.dir() + "/compare.tsv";
    const auto json = cli({"--format", "json", "compare", "contents", o, n, "--sort", "name", "--descending", "--export",
                           exported.toStdString()});
    EXPECT_EQ(json.status, 0) << json.err;
    const auto objects = outputLines(json.out);
    ASSERT_EQ(objects.size(), 8u);
    for (const std::string& line : objects) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_TRUE(doc.isObject()) << line;
    }
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(objects[2])).object().value("status").toString(),
              "2 users in both, 1 new, 1 gone");
    const QJsonObject first = QJsonDocument::fromJson(QByteArray::fromStdString(objects[4])).object();
    EXPECT_EQ(first.value("User Name").toString(), QStringLiteral("J\u00C9R")) << "Latin-1 bytes read as the window shows them";
    EXPECT_EQ(first.value("State").toString(), "gone");
    EXPECT_EQ(first.value("New Total Size").toString(), "");
    EXPECT_EQ(readAll(exported), "User Name\tUser FID\tOld Total Size\tNew Total Size\tChange\tChange %\tState\r\n"
                                 "J\xC9R\tj1j\t9\t\t\t\tgone\r\nCY\tc1c\t\t7\t\t\tnew\r\nBOB\tb1b\t50\t50\t0\t0.0\tboth\r\n"
                                 "ADA\ta1a\t100\t160\t60\t60.0\tboth\r\n");

    EXPECT_EQ(cli({"compare", "contents", o, before.dir().toStdString() + "/gone.log"}).status, 1);
    EXPECT_EQ(cli({"compare", "contents", o}).status, 2);
    EXPECT_EQ(cli({"compare", "expire", o, n}).status, 2);
    EXPECT_EQ(cli({"compare", "contents", o, n, "--sort", "size"}).status, 2);
    EXPECT_EQ(cli({"compare", "contents", o, n, "--format", "xml"}).status, 2);
}
