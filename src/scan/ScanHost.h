#pragma once

#include <cstdint>
#include <string_view>

namespace bw {

enum class ScanControl { Parse, Continue, Print, Action, Close };

// What a scan tells the user and which controls it switches. Only ScanSession
// implements it, as state and signals that the window's tab and the command
// line observe; failures go to the session's Prompter.
class ScanHost {
public:
    virtual ~ScanHost() = default;
    virtual void showStatus(std::string_view text) = 0;
    virtual void showLineCount(std::int64_t lineCount) = 0;
    virtual void setControlEnabled(ScanControl control, bool enabled) = 0;
    // A failure that ends the scan, with the platform's reason: a modal
    // message box in the window.
    virtual void showError(std::string_view message) = 0;
    // The scan has stopped reading (end of the log or a failure) and its
    // rows are in place; the final status follows.
    virtual void scanEnding() {}
};

} // namespace bw
