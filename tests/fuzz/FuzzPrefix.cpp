// Lines without markers in front of a log change nothing but the line
// numbers, wherever they move the reader's block and chunk boundaries to.
// Bytes 0 and 1 choose the kind and the sort options, bytes 2 to 4 the
// length of the lines put in front (up to about 1.5 MiB: past the first
// chunk), the rest is the log.
#include "FuzzSupport.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    static const std::array<const char*, 4> kinds{"contents", "documents", "expire", "structure"};
    const char* kind = kinds[data[0] % kinds.size()];
    const std::size_t wanted = (std::size_t(data[2]) | std::size_t(data[3]) << 8 | std::size_t(data[4]) << 16) % (3u << 19);
    const std::string log(reinterpret_cast<const char*>(data) + 5, size - 5);

    std::string prefix;
    prefix.reserve(wanted + 80);
    while (prefix.size() < wanted) {
        const std::size_t length = std::min<std::size_t>(wanted - prefix.size(), 1 + prefix.size() % 77);
        prefix.append(length - 1, 'q');
        prefix += '\n';
    }

    bw::fuzz::writeLog(log);
    const bw::fuzz::CliRun plain = bw::fuzz::scanLog(kind, data[1]);
    bw::fuzz::writeLog(prefix + log);
    const bw::fuzz::CliRun prefixed = bw::fuzz::scanLog(kind, data[1]);
    if (plain.status != prefixed.status || plain.out != prefixed.out || plain.err != prefixed.err)
        __builtin_trap();
    return 0;
}
