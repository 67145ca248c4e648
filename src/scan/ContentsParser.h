#pragma once

#include "base/MarkerSet.h"
#include "lists/RowLayout.h"
#include "scan/LineParser.h"

namespace bw {

struct Row;

// Mailbox statistics of a contents check, one row per user: the GroupWise 5
// form (sections end with PROCESSING COMPLETE) and the 6/7 job log (each
// user ends with it, the job with END - JOB LOG).
class ContentsParser : public LineParser, public ContentsRow {
public:
    // Outside a contents section, between users, or in a user's record after
    // its "Checking user =" header or its "User stats:" line. Some of a
    // line's tests compare states by their order.
    enum class SectionState { Outside = -1, BetweenUsers, AfterUserHeader, AfterUserStats };

    ContentsParser();

    const ScanProfile& profile() const override { return m_profile; }
    void reset() override;
    LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) override;
    bool prepare(std::string_view line, MarkerSet::Mask markers, LineFields& fields) const override;
    const MarkerSet* markers() const override { return &m_markers.set(); }
    bool needsUnmarkedLines() const override { return false; }

    SectionState sectionState() const { return m_sectionState; }
    bool jobLogMode() const { return m_jobLogMode; }

private:
    void userHeader(std::string_view line, ScanContext& ctx);
    void userStats(std::string_view line, ScanContext& ctx);
    void limitExceeded(std::string_view line, const char* flag, ScanContext& ctx);
    void diskSpaceManagement(std::string_view line);

    ScanProfile m_profile;
    LineMarkers m_markers;
    SectionState m_sectionState = SectionState::Outside;
    bool m_jobLogMode = false;
    Row* m_current = nullptr;
    // A line's values cut in its turn, where the reader did not cut them.
    LineFields m_ownFields;
};

} // namespace bw
