#include "scan/DocumentParser.h"

#include "base/Text.h"
#include "lists/RowStore.h"

namespace bw {

namespace {

enum Marker {
    CheckingDirectory,
    Error52,
    Error50,
    BlobDocumentFile,
    BlobWordListFile,
    LibraryId,
    ProcessingComplete,
    DocumentNum,
    NoFurtherInfo,
    VersionNum,
    AuthorName,
    AuthorDpuLine,
    FileExtension,
    FileCopiedTo,
    FileMovedTo,
    DirCreateFailed,
    ExportBlobFailed,
};

constexpr std::string_view fixNotSelected = "FIX Not Selected";

// The part after the first colon, trimmed; the whole line when it has none.
std::string_view valueAfterColon(std::string_view line)
{
    return trim(afterFirst(line, ":"));
}

// Fixed positions: the value lines read "- " + marker + " " + value once
// trimmed, so the value starts right after the marker's blank.
std::string_view fieldFrom(std::string_view line, std::ptrdiff_t p)
{
    return trim(fromPos(trim(line), p));
}

} // namespace

DocumentParser::DocumentParser()
    : m_markers({"- Checking directory", "Error 52-", "Error 50-", "- Blob is a document file",
                 "- Blob is a word list file", "Library ID:", "PROCESSING COMPLETE", "Document Num:",
                 "No further info available", "Version Num:", "Author Name:", "Author DPU:", "File Extension:",
                 "file copied to", "file moved to", "Return from WpioDirCreate = 0x8209",
                 "Return from ExportDocumentBlob = 0x8201"})
{
    m_profile.startStatus = "Started Parsing Document Log File";
    m_profile.sectionFoundStatus = "Document Error 50 Section Found";
    m_profile.completedPrefix = "Document Verification Section Completed - ";
    m_profile.countUnit = " Documents";
    m_profile.continueStatus = "Continuing Parsing Document Log File";
}

void DocumentParser::reset()
{
    m_sectionState = SectionState::Outside;
    m_docSectionKind = NoSection;
    m_pendingErrorText.clear();
    m_pendingLibraryId.clear();
    m_currentRow = nullptr;
}

LineResume DocumentParser::lineStep(std::string_view line, LineResume from, ScanContext& ctx)
{
    if (!m_markers.take(line, from, ctx))
        return LineResume::Done;
    const auto has = [this](Marker m) { return m_markers.has(m); };

    switch (from) {
    case LineResume::Start:
        if (has(CheckingDirectory))
            closeUnfixed(Error50Section, ctx);
        if (has(Error52))
            closeUnfixed(Error50Section, ctx);
        if (has(Error50)) {
            closeUnfixed(Error50Section, ctx);
            if (m_sectionState <= SectionState::AfterLibraryId) {
                abandonRecord(ctx);
                openSection(Error50Section, ctx);
            }
            m_pendingErrorText = valueAfterColon(line);
        }
        if (has(BlobDocumentFile)) {
            closeUnfixed(BlobSection, ctx);
            if (m_sectionState <= SectionState::BetweenRecords)
                openSection(BlobSection, ctx);
        }
        if (has(BlobWordListFile)) {
            closeUnfixed(BlobSection, ctx);
            if (m_sectionState == SectionState::Outside)
                openSection(BlobSection, ctx);
        }
        if (has(LibraryId) && m_sectionState == SectionState::BetweenRecords) {
            ctx.rows().beginUpdate();
            m_pendingLibraryId = valueAfterColon(line);
            m_sectionState = SectionState::AfterLibraryId;
        }
        if (has(ProcessingComplete) && m_sectionState != SectionState::Outside) {
            // A record still open keeps its defaults; its row leaves with the list.
            m_currentRow = nullptr;
            if (completeSection(ctx, m_sectionState))
                return LineResume::AfterFirstSectionEnd;
        }
        [[fallthrough]];
    default:
        if (has(DocumentNum) && m_sectionState == SectionState::AfterLibraryId) {
            static const std::vector<std::string> defaults = {"N/A", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"};
            m_currentRow = &ctx.rows().add(std::string(valueAfterColon(line)), defaults);
            m_sectionState = SectionState::AfterDocumentNum;
        }
        if (has(NoFurtherInfo) && !m_pendingErrorText.empty())
            noFurtherInfo(ctx);
        if (has(VersionNum) && m_sectionState == SectionState::AfterDocumentNum) {
            m_currentRow->setSubItem(Version, fieldFrom(line, 15));
            m_sectionState = SectionState::AfterVersionNum;
        }
        if (has(AuthorName) && m_sectionState == SectionState::AfterVersionNum) {
            m_currentRow->setSubItem(Author, fieldFrom(line, 15));
            const std::size_t dot = m_pendingLibraryId.rfind('.');
            if (dot != std::string::npos)
                m_pendingLibraryId.erase(0, dot + 1);
            m_currentRow->setSubItem(Library, m_pendingLibraryId);
            m_sectionState = SectionState::AfterAuthorName;
        }
        if (has(AuthorDpuLine) && m_sectionState == SectionState::AfterAuthorName) {
            m_currentRow->setSubItem(AuthorDpu, fieldFrom(line, 14));
            m_sectionState = SectionState::AfterAuthorDpu;
        }
        if (has(FileExtension) && m_sectionState == SectionState::AfterAuthorDpu) {
            m_currentRow->setSubItem(Extension, fieldFrom(line, 18));
            m_sectionState = SectionState::AwaitingOutcome;
        }
        if ((has(FileCopiedTo) || has(FileMovedTo)) && m_sectionState == SectionState::AwaitingOutcome) {
            closeRecord(fieldFrom(line, 17), ctx);
            m_pendingErrorText.clear();
            m_sectionState = SectionState::BetweenRecords;
        }
        if (has(DirCreateFailed) && m_sectionState == SectionState::AwaitingOutcome) {
            closeRecord("0x8209", ctx);
            m_pendingErrorText.clear();
            m_sectionState = SectionState::BetweenRecords;
        }
        if (has(ExportBlobFailed) && m_sectionState == SectionState::AwaitingOutcome) {
            closeRecord("0x8201", ctx);
            m_pendingErrorText.clear();
            m_sectionState = SectionState::BetweenRecords;
        }
    }
    return LineResume::Done;
}

void DocumentParser::endOfFile(ScanContext& ctx)
{
    if (m_sectionState == SectionState::AwaitingOutcome)
        closeRecord(fixNotSelected, ctx);
}

void DocumentParser::closeRecord(std::string_view outputFile, ScanContext& ctx)
{
    m_currentRow->setSubItem(OutputFile, outputFile);
    ctx.rows().endUpdate();
}

void DocumentParser::closeUnfixed(DocSectionKind kind, ScanContext& ctx)
{
    if (m_sectionState == SectionState::AwaitingOutcome && m_docSectionKind == kind) {
        closeRecord(fixNotSelected, ctx);
        m_sectionState = SectionState::BetweenRecords;
    }
}

void DocumentParser::abandonRecord(ScanContext& ctx)
{
    // The suspension belongs to the record; its row, if any, takes its place
    // with the defaults it has.
    if (m_sectionState >= SectionState::AfterLibraryId)
        ctx.rows().endUpdate();
}

void DocumentParser::openSection(DocSectionKind kind, ScanContext& ctx)
{
    m_docSectionKind = kind;
    m_sectionState = SectionState::BetweenRecords;
    ctx.showStatus(m_profile.sectionFoundStatus);
}

void DocumentParser::noFurtherInfo(ScanContext& ctx)
{
    abandonRecord(ctx);
    RowStore& rows = ctx.rows();
    // Like every record, the row takes its place once its outcome is known.
    rows.beginUpdate();
    m_currentRow = &rows.add("0", {"N/A", m_pendingErrorText, "Unknown", "Unknown", "Unknown", "Unknown"});
    m_pendingErrorText.clear();
    m_sectionState = SectionState::AwaitingOutcome;
}

} // namespace bw
