#include "scan/StructureParser.h"

#include "base/Text.h"
#include "lists/RowStore.h"

namespace bw {

namespace {

enum Marker {
    BlobCheck,
    PathToPo,
    CheckingArea,
    ProcessingComplete,
    MissingTrailer,
    CheckingDirectory,
    FileCopied,
    DirCreate8209,
    Adopt0xC067,
    UnknownFile,
};

constexpr std::string_view checkingArea = "- checking area";

} // namespace

StructureParser::StructureParser(const QLocale& locale)
    : m_markers({"Checking Blob files for validity", "Path to PO", checkingArea, "PROCESSING COMPLETE",
                 "Error 52- Blob file with missing trailer:", "- Checking directory", "file copied to",
                 "Return from WpioDirCreate = 0x8209", "Return from FlmAdopt = 0xC067", "Problem 39- Unknown file"})
    , m_dates(locale)
{
    m_profile.startStatus = "Started Parsing Structure Check Log File";
    m_profile.completedPrefix = "Structure Check Section Completed - ";
    m_profile.countUnit = " BLOB Files";
    m_profile.continueStatus = "Continuing Parsing Structure Check Log File";
    m_profile.interimPausePrefix = "Structure Check Section Paused for Breath - ";
    m_profile.rowCap = rowCap;
}

void StructureParser::reset()
{
    m_markers.clear();
    m_sectionState = SectionState::Outside;
    m_postOfficePath.clear();
    m_areaPath.clear();
    m_blobDir.clear();
    m_blobName.clear();
    m_currentRow = nullptr;
    m_recordOpen = false;
    // The disk may have changed since the last scan.
    m_resolver.clear();
}

LineResume StructureParser::lineStep(std::string_view line, LineResume from, ScanContext& ctx)
{
    if (!m_markers.take(line, from, ctx))
        return LineResume::Done;
    const auto has = [this](Marker m) { return m_markers.has(m); };

    switch (from) {
    case LineResume::Start:
        if (has(BlobCheck)) {
            m_areaPath = m_postOfficePath;
            m_areaPath += "\\OFFILES";
            m_sectionState = SectionState::InArea;
        }
        if (has(PathToPo))
            m_postOfficePath = trim(afterFirst(line, "="));
        if (has(CheckingArea) && m_sectionState <= SectionState::InDirectory) {
            m_areaPath = areaPathFrom(trim(afterFirst(line, checkingArea)));
            m_sectionState = SectionState::InArea;
        }
        if (has(ProcessingComplete) && m_sectionState != SectionState::Outside && completeSection(ctx, m_sectionState))
            return LineResume::AfterFirstSectionEnd;
        [[fallthrough]];
    default:
        // A record can only be completed while it is open; once the state has
        // left InFileRecord, the row may be gone with the list at the next Continue.
        if (m_sectionState != SectionState::InFileRecord)
            m_currentRow = nullptr;
        if (has(MissingTrailer) && m_sectionState == SectionState::InDirectory)
            recordLine(line, ctx);
        if (has(CheckingDirectory)
            && (m_sectionState == SectionState::InArea || m_sectionState == SectionState::InDirectory)) {
            m_blobDir = trim(fromPos(trim(line), 21));
            m_sectionState = SectionState::InDirectory;
        }
        if (has(FileCopied) && m_sectionState == SectionState::InFileRecord)
            resultLine("Already Copied", ctx);
        if (has(DirCreate8209) && m_sectionState == SectionState::InFileRecord)
            resultLine("0x8209", ctx);
        if (has(Adopt0xC067) && m_sectionState == SectionState::InFileRecord)
            resultLine("0xC067", ctx);
        if (has(UnknownFile) && m_sectionState == SectionState::InFileRecord)
            unknownFile(line, ctx);
    }
    return LineResume::Done;
}

std::string StructureParser::areaPathFrom(std::string_view area)
{
    if (!contains(area, ":"))
        return std::string(area);
    std::size_t p = area.find('/');
    if (p == std::string_view::npos)
        p = area.find('\\');
    std::string path = "\\\\";
    if (p != std::string_view::npos) {
        path += area.substr(0, p);
        area.remove_prefix(p + 1);
    }
    path += '\\';
    const std::size_t q = area.find(':');
    if (q != std::string_view::npos) {
        path += area.substr(0, q);
        area.remove_prefix(q + 1);
    }
    path += area;
    return path;
}

void StructureParser::recordLine(std::string_view line, ScanContext& ctx)
{
    m_blobName = m_blobDir;
    m_blobName += '\\';
    m_blobName += trim(afterFirst(line, ":"));
    m_recordOpen = true;
    RowStore& rows = ctx.rows();
    rows.beginUpdate();
    Row* row = rows.find(m_blobName);
    if (row)
        rows.touch(*row);
    else
        row = &rows.add(m_blobName, {m_areaPath, "Unknown", "Unknown", "Unknown", "Unknown"});
    m_currentRow = row;
    m_sectionState = SectionState::InFileRecord;
}

bool StructureParser::fillFromDisk(bool keepWhenMissing)
{
    m_recordPath = m_areaPath;
    m_recordPath += '\\';
    m_recordPath += m_blobName;
    const QFileInfo entry = m_resolver.lookup(m_recordPath);
    Row& row = *m_currentRow;
    if (!entry.exists()) {
        if (!keepWhenMissing) {
            row.setSubItem(FileSize, "0");
            row.setSubItem(DateAndTime, m_dates.zeroText());
        }
        return false;
    }
    // A directory has no size of its own; its block count says nothing here.
    row.setSubItem(FileSize, std::to_string(entry.isDir() ? 0 : entry.size()));
    row.setSubItem(DateAndTime, m_dates.text(dosLocalTime(entry.lastModified())));
    return true;
}

void StructureParser::resultLine(const char* outcome, ScanContext& ctx)
{
    fillFromDisk(false);
    m_currentRow->setSubItem(Outcome, outcome);
    endRecord(ctx);
}

void StructureParser::unknownFile(std::string_view line, ScanContext& ctx)
{
    Row& row = *m_currentRow;
    if (fillFromDisk(true)) {
        row.setSubItem(Outcome, "Too Recent");
    } else {
        const std::string_view rest = trim(fromPos(trim(line), 39));
        row.setSubItem(FileSize, upTo(rest, " "));
        row.setSubItem(DateAndTime, trim(afterFirst(rest, ",")));
        row.setSubItem(Outcome, "Deleted");
    }
    endRecord(ctx);
}

void StructureParser::endRecord(ScanContext& ctx)
{
    ctx.rows().endUpdate();
    m_recordOpen = false;
    m_sectionState = SectionState::InDirectory;
}

} // namespace bw
