#include "base/StandardStreams.h"
#include "cli/Cli.h"

#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    const bw::StandardStreams streams = bw::claimStandardStreams();
    if (streams.outputClosed) {
        std::cerr << "brindlewick-cli: standard output: Bad file descriptor\n";
        return 1;
    }
    std::ios::sync_with_stdio(false);
    static char buffer[1 << 16];
    std::cout.rdbuf()->pubsetbuf(buffer, sizeof buffer);
    std::vector<std::string> args(argv + 1, argv + argc);
    return bw::runCli(args, std::cout, std::cerr, {streams.outputIsLive});
}
