#include "base/StandardStreams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bw {

StandardStreams claimStandardStreams()
{
    // Qt has no view of the inherited descriptors: ask POSIX.
    StandardStreams streams;
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        if (fd == 1)
            streams.outputClosed = true;
        const int held = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            dup2(held, fd);
            close(held);
        }
    }
    struct stat st;
    streams.outputIsLive = !streams.outputClosed && fstat(1, &st) == 0 && (S_ISFIFO(st.st_mode) || isatty(1));
    return streams;
}

} // namespace bw
