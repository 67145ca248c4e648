#include "lists/DocumentCompare.h"
#include "scan/DocumentParser.h"
#include "support/ScanRecorder.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

std::vector<std::string> scanDocuments(const std::string& text, int* pauses = nullptr)
{
    return scanWith<DocumentParser>(documentCompare, text, pauses);
}

// The lines of one record up to its "File Extension:" line.
std::string record(std::string_view number, std::string_view version, std::string_view author,
                   std::string_view libraryId = "PO1.ACME.LIB0001")
{
    return crlf({"   - Library ID: " + std::string(libraryId), "   - Document Num: " + std::string(number),
                 "   - Version Num: " + std::string(version), "   - Author Name: " + std::string(author),
                 "   - Author DPU: " + std::string(author) + ".Sales.ACME", "   - File Extension: DOC"});
}

std::string row(std::string_view number, std::string_view version, std::string_view author, std::string_view outcome,
                std::string_view library = "LIB0001")
{
    return std::string(number) + "|" + std::string(version) + "|" + std::string(author) + "|" + std::string(library)
        + "|" + std::string(author) + ".Sales.ACME|DOC|" + std::string(outcome);
}

const std::string started = "# Started Parsing Document Log File";
const std::string found = "# Document Error 50 Section Found";
const std::string continuing = "# Continuing Parsing Document Log File";
const std::string completed = "# Completed Parsing Log File";

// Drives the parser line by line without a log, so a test can look at the
// list between lines.
class DirectContext : public ScanContext {
public:
    SortState sort;
    RowStore store{documentCompare, sort};
    std::vector<std::string> statuses;

    RowStore& rows() override { return store; }
    void showStatus(std::string_view text) override { statuses.emplace_back(text); }
    bool sectionCompleted() override
    {
        store.endUpdate();
        return !store.empty();
    }

    void feed(DocumentParser& parser, const std::string& line)
    {
        const std::string text = line + "\r\n";
        for (LineResume from = LineResume::Start; (from = parser.lineStep(text, from, *this)) != LineResume::Done;)
            store.clear();
    }

    std::string order()
    {
        store.settle();
        std::string out;
        for (std::size_t i = 0; i < store.size(); ++i)
            out += (i ? "," : "") + store.at(i).caption;
        return out;
    }
};

} // namespace

TEST(DocumentParser, Error50RecordsCloseWithEveryOutcome)
{
    int pauses = 0;
    const auto t = scanDocuments(
        crlf({"GWCheck document verification", "- Checking directory docs/fd03",
              "   Error 50- BLOB file has no document reference: fd03/3A1.ACA"})
            + record("1045", "2", "JSMITH") + crlf({"   - file copied to R:/RESCUE/3A1.ACA", "   Error 50- no ref: a"})
            + record("1045", "3", "JSMITH") + crlf({"   - file moved to   R:/RESCUE/3A2.ACA  ", "   Error 50- no ref: b"})
            + record("20311", "1", "AKOWAL") + crlf({"   - Return from WpioDirCreate = 0x8209", "   Error 50- no ref: c"})
            + record("987", "1", "MBROWN") + crlf({"   - Return from ExportDocumentBlob = 0x8201", "   Error 50- no ref: d"})
            // Closed by the next error line, which also restarts the section.
            + record("9", "1", "KMUELLER") + crlf({"   Error 50- no ref: e"})
            + record("10", "1", "LNGUYEN") + crlf({"- Checking directory docs/fd1e", "   Error 50- no ref: f"})
            + record("4410", "12", "GROSSI") + crlf({"   Error 52- invalid trailer: g"})
            // An outcome after the record was closed changes nothing.
            + crlf({"   - file copied to R:/late"})
            + crlf({"PROCESSING COMPLETE", "   Error 50- no ref: h"})
            // Left at the end of the log waiting for its outcome.
            + record("77", "1", "TANAKAH", "LIB0002"),
        &pauses);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, found, found, found, found, found, found,
                     "# Document Verification Section Completed - 7 Documents",
                     row("9", "1", "KMUELLER", "FIX Not Selected"),
                     row("10", "1", "LNGUYEN", "FIX Not Selected"),
                     row("987", "1", "MBROWN", "0x8201"),
                     // Equal document numbers: both versions are kept, in log order.
                     row("1045", "2", "JSMITH", "R:/RESCUE/3A1.ACA"),
                     row("1045", "3", "JSMITH", "R:/RESCUE/3A2.ACA"),
                     row("4410", "12", "GROSSI", "FIX Not Selected"),
                     row("20311", "1", "AKOWAL", "0x8209"),
                     continuing, found,
                     row("77", "1", "TANAKAH", "FIX Not Selected", "LIB0002"),
                     completed,
                 }));
}

TEST(DocumentParser, BlobSectionsCloseOnlyOnBlobLines)
{
    const auto t = scanDocuments(
        crlf({"f1 - Blob is a document file"}) + record("315", "1", "TANAKAH")
        // Error and directory lines do not close a record of a BLOB section.
        + crlf({"   Error 50- no ref: x", "   Error 52- trailer", "- Checking directory docs/fd0c",
                "   - Library ID: ignored.while.waiting", "f2 - Blob is a word list file"})
        // The word list line closed the record but opened nothing: no status.
        + record("316", "2", "SHARMA") + crlf({"f3 - Blob is a document file"})
        + record("1201", "1", "GROSSI", "LIB0002") + crlf({"PROCESSING COMPLETE"})
        // A word list line opens a section from outside one.
        + crlf({"f4 - Blob is a word list file"}) + record("5", "1", "OKAFOR") + crlf({"PROCESSING COMPLETE"}));
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, found,
                     "# Document Verification Section Completed - 3 Documents",
                     row("315", "1", "TANAKAH", "FIX Not Selected"),
                     row("316", "2", "SHARMA", "FIX Not Selected"),
                     // PROCESSING COMPLETE leaves a waiting record open.
                     row("1201", "1", "GROSSI", "Unknown", "LIB0002"),
                     continuing, found,
                     "# Document Verification Section Completed - 1 Documents",
                     row("5", "1", "OKAFOR", "Unknown"),
                     continuing, completed,
                 }));
}

TEST(DocumentParser, SectionKindsSwitchBetweenErrorAndBlobLines)
{
    DocumentParser parser;
    DirectContext ctx;
    parser.reset();
    ctx.feed(parser, "f0 - Blob is a document file");
    EXPECT_EQ(parser.docSectionKind(), DocumentParser::BlobSection);
    // Between records an error line restarts the section as an error section.
    ctx.feed(parser, "Error 50- no ref: one");
    EXPECT_EQ(parser.docSectionKind(), DocumentParser::Error50Section);
    EXPECT_EQ(parser.pendingErrorText(), "one");
    // A word list line inside a section changes nothing.
    ctx.feed(parser, "f1 - Blob is a word list file");
    EXPECT_EQ(parser.docSectionKind(), DocumentParser::Error50Section);
    EXPECT_EQ(parser.sectionState(), DocumentParser::SectionState::BetweenRecords);
    // A document line between records restarts it as a BLOB section.
    ctx.feed(parser, "f2 - Blob is a document file");
    EXPECT_EQ(parser.docSectionKind(), DocumentParser::BlobSection);
    EXPECT_EQ(ctx.statuses.size(), 3u);

    // Inside a record (AfterDocumentNum to AfterAuthorDpu) other lines are
    // ignored until the expected one comes; an error line only remembers its
    // text.
    ctx.feed(parser, "- Library ID: A.B.C");
    ctx.feed(parser, "- Document Num: 12");
    ctx.feed(parser, "- Author Name: EARLY");
    ctx.feed(parser, "Error 50- no ref: two");
    ctx.feed(parser, "f3 - Blob is a document file");
    EXPECT_EQ(parser.sectionState(), DocumentParser::SectionState::AfterDocumentNum);
    EXPECT_EQ(parser.docSectionKind(), DocumentParser::BlobSection);
    EXPECT_EQ(parser.pendingErrorText(), "two");
    ctx.feed(parser, "- Version Num: 7");
    ctx.feed(parser, "- Author Name: LATE");
    ctx.feed(parser, "- Author DPU: LATE.X");
    ctx.feed(parser, "- File Extension: PDF");
    EXPECT_EQ(parser.sectionState(), DocumentParser::SectionState::AwaitingOutcome);
    ctx.feed(parser, "- file copied to /out/f3");
    EXPECT_EQ(parser.sectionState(), DocumentParser::SectionState::BetweenRecords);
    EXPECT_TRUE(parser.pendingErrorText().empty());
    ASSERT_EQ(ctx.store.size(), 1u);
    EXPECT_EQ(ctx.store.at(0).subItems(), (std::vector<std::string>{"7", "LATE", "C", "LATE.X", "PDF", "/out/f3"}));
}

TEST(DocumentParser, NoFurtherInfoRows)
{
    int pauses = 0;
    const auto t = scanDocuments(
        crlf({
            // Without an error text nothing is added.
            "   - No further info available",
            "   Error 50- BLOB without reference: fd1e/4C0.ACA",
            "   - No further info available",
            // The first one used the text up.
            "   - No further info available",
            "   - file copied to R:/RESCUE/4C0.ACA",
            "   Error 50- no reference: fd1e/4C1.ACA",
            "   - No further info available",
            "   Error 50- no reference: fd1e/4C2.ACA",
        })
            + record("300", "1", "X")
            // Closing with FIX Not Selected keeps the error text.
            + crlf({
                "- Checking directory next",
                "   - No further info available",
                // An outcome empties it.
                "   - Return from WpioDirCreate = 0x8209",
                "   - No further info available",
                // With the section end on the same line the new row belongs
                // to the next, emptied list.
                "   Error 50- no reference: fd1e/4C3.ACA",
                "PROCESSING COMPLETE - No further info available",
            }),
        &pauses);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, found, found, found,
                     "# Document Verification Section Completed - 4 Documents",
                     "0|N/A|fd1e/4C0.ACA|Unknown|Unknown|Unknown|R:/RESCUE/4C0.ACA",
                     "0|N/A|fd1e/4C1.ACA|Unknown|Unknown|Unknown|FIX Not Selected",
                     "0|N/A|fd1e/4C2.ACA|Unknown|Unknown|Unknown|0x8209",
                     row("300", "1", "X", "FIX Not Selected"),
                     continuing,
                     // Left waiting at the end of the log.
                     "0|N/A|fd1e/4C3.ACA|Unknown|Unknown|Unknown|FIX Not Selected",
                     completed,
                 }));
}

TEST(DocumentParser, FieldsAndLibraryIds)
{
    const auto t = scanDocuments(crlf({
        "Error 50- no ref: a",
        // Several parts: the last one. Only the first colon separates.
        "- Library ID: PO1.ACME.LIB0003",
        "- Document Num:   42  ",
        "- Version Num: 1",
        "- Author Name: J. Smith: Sales",
        "- Author DPU: JSMITH.Sales",
        "- File Extension: wpd",
        "- file copied to",
        "Error 50- no ref: b",
        // No full stop: the whole ID. Values shorter than their position are empty.
        "    - Library ID:LIB9",
        "- Document Num:7A",
        "Version Num: 5",
        "- Author Name:",
        "Author DPU: X",
        "- File Extension:",
        "- file moved to  ",
        "Error 50- no ref: c",
        // A trailing full stop leaves an empty library.
        "- Library ID: ENDS.WITH.",
        "- Document Num: 8",
        "- Version Num:9",
        "- Author Name: AUTH",
        "- Author DPU: D",
        "- File Extension: E",
        "- Return from ExportDocumentBlob = 0x8201",
        // Without a colon the whole line is the error text.
        "  Error 50- no colon here",
        "- No further info available",
        "PROCESSING COMPLETE",
    }));
    EXPECT_EQ(t, (std::vector<std::string>{
                     started, found, found, found, found,
                     "# Document Verification Section Completed - 4 Documents",
                     "0|N/A|Error 50- no colon here|Unknown|Unknown|Unknown|Unknown",
                     "8|9|AUTH||D|E|0x8201",
                     "42|1|J. Smith: Sales|LIB0003|JSMITH.Sales|wpd|",
                     // Not a number: after every number.
                     "7A|||LIB9|||",
                     continuing, completed,
                 }));
}

TEST(DocumentParser, AbandonedRecordsLiftTheirSuspension)
{
    DocumentParser parser;
    DirectContext ctx;
    parser.reset();
    ctx.feed(parser, "Error 50- no ref: a");
    ctx.feed(parser, "- Library ID: A.LIB");
    EXPECT_TRUE(ctx.store.suspended());
    // A record with only its library line is abandoned by an error line.
    ctx.feed(parser, "Error 50- no ref: b");
    EXPECT_FALSE(ctx.store.suspended());
    EXPECT_EQ(parser.sectionState(), DocumentParser::SectionState::BetweenRecords);
    ctx.feed(parser, "- Document Num: 999");
    EXPECT_EQ(ctx.store.size(), 0u);

    ctx.feed(parser, "- Library ID: A.LIB");
    ctx.feed(parser, "- Document Num: 100");
    ctx.feed(parser, "- Version Num: 1");
    ctx.feed(parser, "- Author Name: X");
    ctx.feed(parser, "- Author DPU: X");
    ctx.feed(parser, "- File Extension: X");
    ctx.feed(parser, "- file copied to /out");
    EXPECT_FALSE(ctx.store.suspended());
    EXPECT_EQ(ctx.order(), "100");

    // A record abandoned half-way by a no-info row takes its place at once;
    // the no-info row waits for its outcome.
    ctx.feed(parser, "Error 50- no ref: c");
    ctx.feed(parser, "- Library ID: A.LIB");
    ctx.feed(parser, "- Document Num: 50");
    ctx.feed(parser, "- Version Num: 1");
    ctx.feed(parser, "- No further info available");
    EXPECT_TRUE(ctx.store.suspended());
    EXPECT_EQ(ctx.order(), "50,100,0");
    ctx.feed(parser, "- Return from WpioDirCreate = 0x8209");
    EXPECT_FALSE(ctx.store.suspended());
    EXPECT_EQ(ctx.order(), "0,50,100");
    EXPECT_EQ(ctx.store.at(1).subItems(), (std::vector<std::string>{"1", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}));
}
