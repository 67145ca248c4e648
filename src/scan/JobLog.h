#pragma once

#include <string_view>

namespace bw {

// Whether a log line switches the scan to or from the GroupWise 6/7 job-log
// form. The three tests run in this order; the last that matches wins.
inline void detectJobLog(std::string_view line, bool taskLog, bool beginJobLog, bool checkerBanner, bool& jobLogMode)
{
    if (taskLog)
        jobLogMode = true;
    if (beginJobLog)
        jobLogMode = true;
    if (checkerBanner)
        jobLogMode = line.find("Version 6") != std::string_view::npos || line.find("Version 7") != std::string_view::npos;
}

} // namespace bw
