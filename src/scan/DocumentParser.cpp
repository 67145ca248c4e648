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
    m_sectionState = -1;
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
            if (m_sectionState <= 1) {
                abandonRecord(ctx);
                openSection(Error50Section, ctx);
            }
            m_pendingErrorText = valueAfterColon(line);
        }
        if (has(BlobDocumentFile)) {
            closeUnfixed(BlobSection, ctx);
            if (m_sectionState <= 0)
                openSection(BlobSection, ctx);
        }
        if (has(BlobWordListFile)) {
            closeUnfixed(BlobSection, ctx);
            if (m_sectionState == -1)
                openSection(BlobSection, ctx);
        }
        if (has(LibraryId) && m_sectionState == 0) {
            ctx.rows().beginUpdate();
            m_pendingLibraryId = valueAfterColon(line);
            m_sectionState = 1;
        }
        if (has(ProcessingComplete) && m_sectionState >= 0) {
            // A record still open keeps its defaults; its row leaves with the list.
            m_currentRow = nullptr;
            if (ctx.sectionCompleted(m_sectionState))
                return LineResume::AfterFirstSectionEnd;
        }
        [[fallthrough]];
    default:
        if (has(DocumentNum) && m_sectionState == 1) {
            static const std::vector<std::string> defaults = {"N/A", "Unknown", "Unknown", "Unknown", "Unknown", "Unknown"};
            m_currentRow = &ctx.rows().add(std::string(valueAfterColon(line)), defaults);
            m_sectionState = 2;
        }
        if (has(NoFurtherInfo) && !m_pendingErrorText.empty())
            noFurtherInfo(ctx);
        if (has(VersionNum) && m_sectionState == 2) {
            m_currentRow->setSubItem(Version, fieldFrom(line, 15));
            m_sectionState = 3;
        }
        if (has(AuthorName) && m_sectionState == 3) {
            m_currentRow->setSubItem(Author, fieldFrom(line, 15));
            const std::size_t dot = m_pendingLibraryId.rfind('.');
            if (dot != std::string::npos)
                m_pendingLibraryId.erase(0, dot + 1);
            m_currentRow->setSubItem(Library, m_pendingLibraryId);
            m_sectionState = 4;
        }
        if (has(AuthorDpuLine) && m_sectionState == 4) {
            m_currentRow->setSubItem(AuthorDpu, fieldFrom(line, 14));
            m_sectionState = 5;
        }
        if (has(FileExtension) && m_sectionState == 5) {
            m_currentRow->setSubItem(Extension, fieldFrom(line, 18));
            m_sectionState = 6;
        }
        if ((has(FileCopiedTo) || has(FileMovedTo)) && m_sectionState == 6) {
            closeRecord(fieldFrom(line, 17), ctx);
            m_pendingErrorText.clear();
            m_sectionState = 0;
        }
        if (has(DirCreateFailed) && m_sectionState == 6) {
            closeRecord("0x8209", ctx);
            m_pendingErrorText.clear();
            m_sectionState = 0;
        }
        if (has(ExportBlobFailed) && m_sectionState == 6) {
            closeRecord("0x8201", ctx);
            m_pendingErrorText.clear();
            m_sectionState = 0;
        }
    }
    return LineResume::Done;
}

void DocumentParser::endOfFile(ScanContext& ctx)
{
    if (m_sectionState == 6)
        closeRecord(fixNotSelected, ctx);
}

void DocumentParser::closeRecord(std::string_view outputFile, ScanContext& ctx)
{
    m_currentRow->setSubItem(OutputFile, outputFile);
    ctx.rows().endUpdate();
}

void DocumentParser::closeUnfixed(DocSectionKind kind, ScanContext& ctx)
{
    if (m_sectionState == 6 && m_docSectionKind == kind) {
        closeRecord(fixNotSelected, ctx);
        m_sectionState = 0;
    }
}

void DocumentParser::abandonRecord(ScanContext& ctx)
{
    // The suspension belongs to the record; its row, if any, takes its place
    // with the defaults it has.
    if (m_sectionState >= 1)
        ctx.rows().endUpdate();
}

void DocumentParser::openSection(DocSectionKind kind, ScanContext& ctx)
{
    m_docSectionKind = kind;
    m_sectionState = 0;
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
    m_sectionState = 6;
}

} // namespace bw
