#pragma once

#include "base/MarkerSet.h"
#include "lists/RowLayout.h"
#include "scan/LineParser.h"

#include <string>

namespace bw {

struct Row;

// The document BLOB files of a document library check, one row per record:
// the "Error 50-" lists and the document and word-list BLOB lists, each
// record from its "Library ID:" line to the line that tells what GWCheck
// did with the file.
class DocumentParser : public LineParser, public DocumentRow {
public:
    // Which kind of line opened the current section; it decides which lines
    // close a record that waits for its outcome.
    enum DocSectionKind {
        NoSection = 0,
        Error50Section = 1,
        BlobSection = 2
    };

    // Outside a section, between records, or in a record after the line of
    // each of its values in turn; AwaitingOutcome once the values are in
    // (after "File Extension:" or "No further info"), until the line that
    // tells what became of the file. Some of a line's tests compare states by
    // their order.
    enum class SectionState {
        Outside = -1,
        BetweenRecords,
        AfterLibraryId,
        AfterDocumentNum,
        AfterVersionNum,
        AfterAuthorName,
        AfterAuthorDpu,
        AwaitingOutcome,
    };

    DocumentParser();

    const ScanProfile& profile() const override { return m_profile; }
    void reset() override;
    LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) override;
    const MarkerSet* markers() const override { return &m_markers.set(); }
    bool needsUnmarkedLines() const override { return false; }
    void endOfFile(ScanContext& ctx) override;

    SectionState sectionState() const { return m_sectionState; }
    DocSectionKind docSectionKind() const { return m_docSectionKind; }
    const std::string& pendingErrorText() const { return m_pendingErrorText; }

private:
    void closeRecord(std::string_view outputFile, ScanContext& ctx);
    void closeUnfixed(DocSectionKind kind, ScanContext& ctx);
    void abandonRecord(ScanContext& ctx);
    void openSection(DocSectionKind kind, ScanContext& ctx);
    void noFurtherInfo(ScanContext& ctx);

    ScanProfile m_profile;
    LineMarkers m_markers;
    SectionState m_sectionState = SectionState::Outside;
    DocSectionKind m_docSectionKind = NoSection;
    std::string m_pendingErrorText;
    std::string m_pendingLibraryId;
    Row* m_currentRow = nullptr;
};

} // namespace bw
