#pragma once

#include <QDateTime>
#include <QFile>

namespace bw {

// Setting a file's last-write time with the platform's error number, which
// QFile reports only as text.
class FileTimes {
public:
    // The code an impossible time is refused with (EINVAL).
    static int invalidTimeCode();
    // On the open file; 0 when set, otherwise the platform's error number.
    static int setLastWrite(QFile& file, const QDateTime& time);
};

} // namespace bw
