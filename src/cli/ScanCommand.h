#pragma once

#include "cli/CliCommand.h"

namespace bw {

// scan KIND LOG: the tab's scan, Continue pressed at every pause. Status
// texts go out as "# text", the listed rows at every pause and at the end as
// tab-separated lines.
class ScanCommand : public CliCommand {
public:
    std::string usage() const override;
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliOutput& output) override;
};

} // namespace bw
