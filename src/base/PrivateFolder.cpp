#include "base/PrivateFolder.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace bw {

bool isPrivateFolder(const QString& path, bool create)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return false;
    if (create && ::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
           && (st.st_mode & 077) == 0;
#else
    Q_UNUSED(path);
    Q_UNUSED(create);
    return false;
#endif
}

bool peerIsSameUser(qintptr socketDescriptor)
{
#if defined(Q_OS_LINUX)
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return socketDescriptor >= 0
           && ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && size == sizeof peer && peer.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    return socketDescriptor >= 0 && ::getpeereid(static_cast<int>(socketDescriptor), &uid, &gid) == 0
           && uid == ::geteuid();
#else
    Q_UNUSED(socketDescriptor);
    return false;
#endif
}

} // namespace bw
