#pragma once

#include "base/DateTimeText.h"
#include "base/MarkerSet.h"
#include "base/PathResolver.h"
#include "lists/RowLayout.h"
#include "scan/LineParser.h"

#include <string>

namespace bw {

struct Row;

// The BLOB files that a structure check reports with a missing trailer
// (error 52), one row per file: where it lies, its size and time stamp read
// from disk, and what GWCheck did with it.
class StructureParser : public LineParser, public BlobRow {
public:
    static constexpr int rowCap = 4000;

    // Outside a BLOB check, in its area before a "Checking directory" line,
    // in a directory between files, or in a file's record from its missing
    // trailer line to the line that tells what became of it. Some of a line's
    // tests compare states by their order.
    enum class SectionState { Outside = -1, InArea, InDirectory, InFileRecord };

    explicit StructureParser(const QLocale& locale = QLocale::system());

    const ScanProfile& profile() const override { return m_profile; }
    void reset() override;
    LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) override;
    bool recordOpen() const override { return m_recordOpen; }
    const MarkerSet* markers() const override { return &m_markers.set(); }
    bool needsUnmarkedLines() const override { return false; }
    PathResolver* pathResolver() override { return &m_resolver; }

    SectionState sectionState() const { return m_sectionState; }
    const std::string& postOfficePath() const { return m_postOfficePath; }
    const std::string& areaPath() const { return m_areaPath; }

    // The area path for the text after "- checking area": SERVER/VOLUME:PATH
    // and SERVER\VOLUME:PATH become \\SERVER\VOLUME followed by PATH; a text
    // without ":" is taken as it is.
    static std::string areaPathFrom(std::string_view area);

private:
    void recordLine(std::string_view line, ScanContext& ctx);
    void resultLine(const char* outcome, ScanContext& ctx);
    void unknownFile(std::string_view line, ScanContext& ctx);
    void endRecord(ScanContext& ctx);
    // Size and time of the record path; false when there is no such entry.
    bool fillFromDisk(bool keepWhenMissing);

    ScanProfile m_profile;
    LineMarkers m_markers;
    DateTimeText m_dates;
    PathResolver m_resolver;
    std::string m_recordPath;

    SectionState m_sectionState = SectionState::Outside;
    std::string m_postOfficePath;
    std::string m_areaPath;
    std::string m_blobDir;
    std::string m_blobName;
    Row* m_currentRow = nullptr;
    bool m_recordOpen = false;
};

} // namespace bw
