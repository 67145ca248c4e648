#pragma once

#include "base/MarkerSet.h"
#include "lists/RowLayout.h"
#include "scan/LineParser.h"

namespace bw {

// The "Expire Statistics" sections: one row per user with the user and
// message database files and the size the log states. The record grammar
// follows the GroupWise version that the log last named.
class ExpireParser : public LineParser, public ExpireRow {
public:
    // Outside an "Expire Statistics" section, or in one, where lines may be
    // records.
    enum class SectionState { Outside = -1, InSection };

    ExpireParser();

    const ScanProfile& profile() const override { return m_profile; }
    void reset() override;
    LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) override;
    const MarkerSet* markers() const override { return &m_markers.set(); }

    SectionState sectionState() const { return m_sectionState; }

private:
    void addRecord(std::string_view line, std::string_view separator, ScanContext& ctx);

    ScanProfile m_profile;
    LineMarkers m_markers;

    SectionState m_sectionState = SectionState::Outside;
    int m_logVersion = 0;
};

} // namespace bw
