#pragma once

#include "base/MarkerSet.h"
#include "base/PathResolver.h"
#include "scan/LineFields.h"
#include "scan/ScanProfile.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace bw {

class RowStore;

// Where a line's tests start or go on: from the first, or after the first or
// second section end that paused the scan mid-line; Done when none is left.
enum class LineResume { Done, Start, AfterFirstSectionEnd, AfterSecondSectionEnd };

// What the common scan offers a parser while it handles a line.
class ScanContext {
public:
    virtual ~ScanContext() = default;
    virtual RowStore& rows() = 0;
    virtual void showStatus(std::string_view text) = 0;
    // Which of the parser's markers occur in the line being handled; the
    // reader may have found them already while reading ahead.
    virtual MarkerSet::Mask markersIn(const MarkerSet& markers, std::string_view line)
    {
        return markers.find(line);
    }
    // What the parser's prepare() cut out of the line being handled, when
    // the reader did that ahead of time; nullptr otherwise.
    virtual const LineFields* preparedFields(std::string_view /*line*/) { return nullptr; }
    // Ends the section: the list's suspension is lifted, and when the list
    // holds rows the scan pauses. Returns whether it paused; the parser then
    // returns from its line step at once, telling where to go on after
    // Continue. Parsers call it through completeSection().
    virtual bool sectionCompleted() = 0;
};

// Puts a parser's section state outside, then ends the section: the state is
// outside by the time the scan pauses.
template <typename SectionState>
bool completeSection(ScanContext& ctx, SectionState& sectionState)
{
    sectionState = SectionState::Outside;
    return ctx.sectionCompleted();
}

// The markers a parser tests every line for, and which of them the line in
// hand holds: found once when its first test runs, kept when the line goes
// on after a pause.
class LineMarkers {
public:
    LineMarkers(std::initializer_list<std::string_view> markers)
        : m_set(markers)
    {
    }

    const MarkerSet& set() const { return m_set; }
    // Whether the line holds any of the markers.
    bool take(std::string_view line, LineResume from, ScanContext& ctx)
    {
        if (from == LineResume::Start)
            m_found = ctx.markersIn(m_set, line);
        return m_found != 0;
    }
    bool has(int marker) const { return (m_found & MarkerSet::bit(marker)) != 0; }
    void clear() { m_found = 0; }

private:
    MarkerSet m_set;
    MarkerSet::Mask m_found = 0;
};

// One kind of check's parser. A line's tests run in a fixed order and a test
// may pause the scan mid-line (a section end); the tests after it then run
// on the same line after Continue, on the emptied list. So lineStep takes the
// test to start from and returns the one to resume at, or LineResume::Done.
class LineParser {
public:
    virtual ~LineParser() = default;
    virtual const ScanProfile& profile() const = 0;
    // Back to the values a scan starts with.
    virtual void reset() = 0;
    virtual LineResume lineStep(std::string_view line, LineResume from, ScanContext& ctx) = 0;
    // Runs once when the log is exhausted.
    virtual void endOfFile(ScanContext&) {}
    // Whether a record waits for its closing line (holds the mid-section pause).
    virtual bool recordOpen() const { return false; }
    // Cuts out of a line holding these markers the values its tests will
    // read, and the hash (RowStore::keyHash) of the row it will look up;
    // false when there is nothing to cut. The reader calls it on its own
    // thread ahead of the line's turn, so it reads the line alone: the scan
    // then has the list fetch that row's place early, and the line's tests
    // find their values cut (ScanContext::preparedFields).
    virtual bool prepare(std::string_view /*line*/, MarkerSet::Mask /*markers*/, LineFields& /*fields*/) const
    {
        return false;
    }
    // The markers the parser tests every line for, so the reader can look
    // for them ahead of time.
    virtual const MarkerSet* markers() const { return nullptr; }
    // Whether a line holding none of markers() can change anything; when
    // not, the reader passes such lines over (they are still counted).
    virtual bool needsUnmarkedLines() const { return true; }
    // The resolver through which the parser looks up paths read from the
    // log, if it does: the scan points it at the log's folder.
    virtual PathResolver* pathResolver() { return nullptr; }
};

} // namespace bw
