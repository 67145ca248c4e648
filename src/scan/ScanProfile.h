#pragma once

#include <string>

namespace bw {

// The texts and limits a parser gives the common scan.
struct ScanProfile {
    std::string startStatus;
    std::string sectionFoundStatus;   // may be empty: no status at a section start
    std::string completedPrefix;      // pause at a section end: prefix + count + unit
    std::string countUnit;
    std::string continueStatus;
    std::string interimPausePrefix;   // mid-section pause, used when rowCap > 0
    int rowCap = 0;
};

} // namespace bw
