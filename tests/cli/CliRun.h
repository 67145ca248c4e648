#pragma once

#include "cli/Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace bw::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// One run of the command line in this process.
inline CliResult cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace bw::test
