#pragma once

#include "scan/ScanProfile.h"

#include <string_view>

namespace bw {

class RowStore;

// What the common scan offers a parser while it handles a line.
class ScanContext {
public:
    virtual ~ScanContext() = default;
    virtual RowStore& rows() = 0;
    virtual void showStatus(std::string_view text) = 0;
    // Ends the section: the state goes outside, the list's suspension is
    // lifted, and when the list holds rows the scan pauses. Returns whether
    // it paused; the parser then returns from its line step at once, telling
    // where to go on after Continue.
    virtual bool sectionCompleted(int& sectionState) = 0;
};

// One kind of check's parser. A line's tests run in a fixed order and a test
// may pause the scan mid-line (a section end); the tests after it then run
// on the same line after Continue, on the emptied list. So lineStep takes the
// test to start from and returns the one to resume at, or lineDone.
class LineParser {
public:
    static constexpr int lineDone = -1;

    virtual ~LineParser() = default;
    virtual const ScanProfile& profile() const = 0;
    // Back to the values a scan starts with.
    virtual void reset() = 0;
    virtual int lineStep(std::string_view line, int from, ScanContext& ctx) = 0;
    // Runs once when the log is exhausted.
    virtual void endOfFile(ScanContext&) {}
    // Whether a record waits for its closing line (holds the mid-section pause).
    virtual bool recordOpen() const { return false; }
};

} // namespace bw
