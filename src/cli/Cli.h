#pragma once

#include "cli/CliCommand.h"

#include <ostream>
#include <string>
#include <vector>

namespace bw {

// brindlewick-cli: the verb named in args, run without a display. Returns
// the exit status: 0 done, 1 an input/output failure reported on err, 2 wrong
// arguments, 3 some row of an action failed.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliOutput& output = {});

} // namespace bw
