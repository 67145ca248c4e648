// One scan kind (BW_FUZZ_KIND) through the command line's own entry; the
// first byte chooses the sort options, the rest is the log.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    bw::fuzz::writeLog(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const bw::fuzz::CliRun run = bw::fuzz::scanLog(BW_FUZZ_KIND, data[0]);
    // A log can fail only by being unreadable, which a written file is not.
    if (run.status != 0)
        __builtin_trap();
    return 0;
}
