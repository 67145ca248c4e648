#include "scan/ScanKind.h"

#include "lists/ContentsCompare.h"
#include "scan/ContentsParser.h"

namespace bw {

std::optional<ScanKind> scanKindFromName(std::string_view name)
{
    if (name == "contents")
        return ScanKind::Contents;
    return std::nullopt;
}

std::unique_ptr<LineParser> makeParser(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return std::make_unique<ContentsParser>();
    default:
        return nullptr;
    }
}

CompareRule compareRuleFor(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return contentsCompare;
    default:
        return contentsCompare;
    }
}

} // namespace bw
