#pragma once

#include <QDateTime>

#include <cstdint>
#include <optional>

namespace bw {

// The two-second DOS date-time form of file times: the date in the high 16
// bits (years 1980 to 2107), the time in the low 16 (seconds halved). 0 is
// the empty value that no file time takes.
class DosDateTime {
public:
    // A wall-clock date and time (its date() and time(), whatever its time
    // zone), seconds rounded down to an even number; 0 outside 1980 to 2107.
    static std::uint32_t encode(const QDateTime& wallClock);
    // The wall-clock value, as a QDateTime in UTC; invalid for 0 or fields
    // out of range.
    static QDateTime decode(std::uint32_t dos);

    // A file's last-write time (in any time zone) moved by days through the DOS form
    // in local time, as the backdating does: to local time at the UTC offset
    // given (the current one, so both conversions use the same offset and the
    // shift is exactly days times 24 hours), rounded down to even seconds,
    // days added to the date, and back to UTC. Nothing when the time or the
    // result lies outside 1980 to 2107.
    static std::optional<QDateTime> shifted(const QDateTime& fileTime, int days, int utcOffsetSeconds);
};

} // namespace bw
