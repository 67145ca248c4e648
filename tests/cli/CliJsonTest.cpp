#include "cli/CliRun.h"
#include "support/ActionFixture.h"
#include "support/ScanRecorder.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

TEST(CliJson, EveryKindsRowsParseAndHoldTheValuesOfTheTabSeparatedRows)
{
    for (const char* kind : {"contents", "documents", "expire", "structure"}) {
        SCOPED_TRACE(kind);
        const std::string log = std::string(BW_SAMPLES) + "/" + kind + ".log";
        const auto tsv = cli({"scan", kind, log});
        const auto json = cli({"scan", kind, log, "--format", "json"});
        ASSERT_EQ(json.status, tsv.status);
        const auto tsvLines = outputLines(tsv.out), jsonLines = outputLines(json.out);
        ASSERT_EQ(jsonLines.size(), tsvLines.size());
        int rows = 0;
        for (std::size_t i = 0; i < jsonLines.size(); ++i) {
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(jsonLines[i]), &error).object();
            ASSERT_EQ(error.error, QJsonParseError::NoError) << jsonLines[i];
            if (tsvLines[i].rfind("# ", 0) == 0) {
                EXPECT_EQ(o.value("status").toString().toStdString(), tsvLines[i].substr(2));
                continue;
            }
            ++rows;
            const QStringList tsvValues = QString::fromStdString(tsvLines[i]).split(u'\t');
            EXPECT_GE(o.value("section").toInt(), 1);
            EXPECT_TRUE(o.value("pause").toBool()) << "the samples' rows all come at a pause";
            EXPECT_EQ(static_cast<qsizetype>(o.size()), tsvValues.size() + 2) << jsonLines[i];
            for (const QString& v : tsvValues) {
                bool found = false;
                for (auto it = o.begin(); it != o.end() && !found; ++it)
                    found = it.value().isString() && it.value().toString() == v;
                EXPECT_TRUE(found) << v.toStdString() << " in " << jsonLines[i];
            }
        }
        EXPECT_GT(rows, 0);
    }
    // The keys are the headings, and values that are no UTF-8 read as Latin-1.
    TempLog latin(crlf({"CONTENTS VERIFICATION", "Checking user = J\xC9R (j1j) - 1 KB", "9 bytes in use by user",
                        "PROCESSING COMPLETE"}));
    const auto r = cli({"scan", "contents", latin.path().toStdString(), "--format", "json"});
    std::string row;
    for (const std::string& line : outputLines(r.out)) {
        if (line.find("\"User Name\"") != std::string::npos)
            row = line;
    }
    EXPECT_NE(row.find("\"User Name\": \"J\\u00c9R\""), std::string::npos) << r.out;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(row)).object();
    EXPECT_EQ(o.value("User Name").toString(), QStringLiteral("J\u00C9R"));
    EXPECT_EQ(o.value("Total Size").toString(), "9");
    EXPECT_EQ(o.value("section").toInt(), 1);
}

TEST(CliJson, TheImportPrefixNamesTheOutputFolderOnTheServerForOneRun)
{
    TempLog log(crlf({"Library: PO1.DOM.LIB0001", "   Error 50- BLOB file has no document reference: X.ACA",
                      "   - Library ID: PO1.DOM.LIB0001", "   - Document Num: 11", "   - Version Num: 1",
                      "   - Author Name: JSMITH", "   - Author DPU: DOM.PO1.JSMITH", "   - File Extension: DOC",
                      "   - file copied to rescue\\A.ACA", "PROCESSING COMPLETE"}));
    writeFile(log.dir() + "/rescue/A.ACA", "a");
    const QString out = log.dir() + "/out", csv = log.dir() + "/import.csv";
    QDir().mkpath(out);
    const auto r = cli({"scan", "documents", log.path().toStdString(), "--rescue", out.toStdString(), "--csv",
                        csv.toStdString(), "--import-prefix", "\\\\FS1\\RESCUE\\"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("# Import paths as \\\\FS1\\RESCUE\\...\n"), std::string::npos) << r.out;
    EXPECT_TRUE(readAll(csv).contains(",\"\\\\FS1\\RESCUE\\LIB0001\\JSMITH\\11_1.DOC\",")) << readAll(csv).toStdString();
    EXPECT_EQ(readAll(out + "/LIB0001/JSMITH/11_1.DOC"), "a") << "the copy on the local disk";
}
