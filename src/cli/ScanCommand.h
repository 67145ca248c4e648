#pragma once

#include "cli/CliCommand.h"

namespace bw {

// scan KIND LOG: the tab's scan, Continue pressed at every pause. Status
// texts go out as "# text", the listed rows at every pause and at the end as
// tab-separated lines.
class ScanCommand : public CliCommand {
public:
    std::string usage() const override;
    bool takesValue(const std::string& option) const override;
    // Whether args, as run() gets them, are a valid command; problem says
    // why not.
    static bool parses(const std::vector<std::string>& args, std::string& problem);
    // Every option the verb reads.
    static std::vector<std::string> optionNames();
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliOutput& output) override;
};

} // namespace bw
