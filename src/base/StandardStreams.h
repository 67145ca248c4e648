#pragma once

namespace bw {

// What the platform says about the process's standard streams.
struct StandardStreams {
    // Standard output was closed when the program started. Its descriptor is
    // then held open on the null device, so that no file the program opens
    // later can take its place and receive what is meant for the output.
    bool outputClosed = false;
    // Standard output is a terminal or a pipe: someone reads it as it comes.
    bool outputIsLive = false;
};

// Looks at descriptors 0 to 2 once, at start-up, and reserves closed ones.
StandardStreams claimStandardStreams();

} // namespace bw
