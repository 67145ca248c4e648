#include "base/AccountName.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

namespace bw {

std::optional<QString> effectiveAccountName()
{
#ifdef Q_OS_UNIX
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    // The buffer grows while the entry does not fit in it.
    while ((error = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (error != 0 || !found || !found->pw_name || !*found->pw_name)
        return std::nullopt;
    return QString::fromLocal8Bit(found->pw_name);
#else
    return std::nullopt;
#endif
}

QString effectiveUserId()
{
#ifdef Q_OS_UNIX
    return QString::number(geteuid());
#else
    return QString();
#endif
}

} // namespace bw
