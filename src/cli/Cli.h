#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bw {

struct VerbCall {
    std::unique_ptr<CliCommand> command;
    // The words for it, in their order, without the verb itself.
    std::vector<std::string> args;
};

// The verb args name; nothing when none, with unknown the word that stands
// where the verb should.
std::optional<VerbCall> findVerb(const std::vector<std::string>& args, std::string& unknown);

// brindlewick-cli: the verb named in args, run without a display. Returns
// the exit status: 0 done, 1 an input/output failure reported on err, 2 wrong
// arguments, 3 some row of an action failed.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliOutput& output = {});

} // namespace bw
