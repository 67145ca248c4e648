#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bw {

// How standard output is read.
struct CliOutput {
    // Someone reads it as it comes (a terminal or a pipe): every status line
    // is passed on at once rather than when a buffer fills.
    bool live = false;
};

// One verb of brindlewick-cli.
class CliCommand {
public:
    virtual ~CliCommand() = default;
    // The usage line of the verb, without "usage: ".
    virtual std::string usage() const = 0;
    // Whether option, one of the verb's, takes the next word as its value:
    // from the verb's own table, so that options before the verb are read
    // as after it.
    virtual bool takesValue(const std::string& option) const = 0;
    // args: the words after the program name without the verb itself, in
    // their order (options may stand before the verb). Returns the exit status.
    virtual int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const CliOutput& output) = 0;
};

} // namespace bw
