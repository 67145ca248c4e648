#pragma once

#include <chrono>

namespace bw {

// One press of a tab's action button (or the command line's option for it),
// run in steps so that the window can drive it from its event loop in short
// slices and show its statuses meanwhile; the command line steps it to the
// end. Messages go through the prompter and wait for the user there.
class ActionRun {
public:
    using Clock = std::chrono::steady_clock;

    enum class Outcome {
        Cancelled,      // the user cancelled its dialog: nothing changed
        Succeeded,      // every row succeeded
        SomeRowsFailed, // the run went through, some rows failed
        Failed,         // an input/output error ended it
    };

    virtual ~ActionRun() = default;

    // Works until the deadline or the end; true when the run is over, its
    // outcome then known.
    virtual bool step(Clock::time_point deadline) = 0;

    Outcome outcome() const { return m_outcome; }

protected:
    Outcome m_outcome = Outcome::Succeeded;
};

} // namespace bw
