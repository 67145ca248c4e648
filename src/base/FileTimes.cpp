#include "base/FileTimes.h"

#include <cerrno>

namespace bw {

int FileTimes::invalidTimeCode()
{
    return EINVAL;
}

int FileTimes::setLastWrite(QFile& file, const QDateTime& time)
{
    if (!time.isValid())
        return invalidTimeCode();
    // errno is the one thing here Qt does not pass on.
    errno = 0;
    if (file.setFileTime(time, QFileDevice::FileModificationTime))
        return 0;
    const int code = errno;
    return code != 0 ? code : static_cast<int>(file.error());
}

} // namespace bw
