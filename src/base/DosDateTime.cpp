#include "base/DosDateTime.h"

namespace bw {

std::uint32_t DosDateTime::encode(const QDateTime& wallClock)
{
    const QDate d = wallClock.date();
    const QTime t = wallClock.time();
    if (!d.isValid() || !t.isValid() || d.year() < 1980 || d.year() > 2107)
        return 0;
    const auto date = static_cast<std::uint32_t>(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
    const auto time = static_cast<std::uint32_t>((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    return (date << 16) | time;
}

QDateTime DosDateTime::decode(std::uint32_t dos)
{
    const int date = static_cast<int>(dos >> 16);
    const int time = static_cast<int>(dos & 0xffff);
    const QDate d(1980 + (date >> 9), (date >> 5) & 15, date & 31);
    const int hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
    if (dos == 0 || !d.isValid() || hour > 23 || minute > 59 || second > 59)
        return QDateTime();
    return QDateTime(d, QTime(hour, minute, second), Qt::UTC);
}

std::optional<QDateTime> DosDateTime::shifted(const QDateTime& fileTime, int days, int utcOffsetSeconds)
{
    if (!fileTime.isValid())
        return std::nullopt;
    const std::uint32_t before = encode(fileTime.toUTC().addSecs(utcOffsetSeconds));
    if (before == 0)
        return std::nullopt;
    const QDateTime read = decode(before);
    // Whole days on the date, so no fraction of a day can round the time.
    const std::uint32_t after = encode(QDateTime(read.date().addDays(days), read.time(), Qt::UTC));
    if (after == 0)
        return std::nullopt;
    return decode(after).addSecs(-utcOffsetSeconds);
}

} // namespace bw
