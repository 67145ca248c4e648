#pragma once

#include "cli/CliCommand.h"

namespace bw {

// compare contents OLD NEW: two runs of the contents check, user by user.
// "# " lines say the logs, the counts and the post office's totals; then one
// tab-separated row per user (or JSON Lines with --format json).
class CompareCommand : public CliCommand {
public:
    std::string usage() const override;
    bool takesValue(const std::string& option) const override;
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliOutput& output) override;
};

} // namespace bw
