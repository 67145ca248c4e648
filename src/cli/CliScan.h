#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bw {

// brindlewick-cli: a tab's scan without a display. Status texts go to out
// as "# text", the rows at every pause and at the end as tab-separated
// lines; Continue is pressed at once. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace bw
