#pragma once

#include "lists/RowStore.h"
#include "scan/LineParser.h"

#include <memory>
#include <optional>
#include <string_view>

namespace bw {

// The four kinds of check, one per tab.
enum class ScanKind { Contents, Documents, Expire, Structure };

// The command-line name of a kind ("contents", ...).
std::optional<ScanKind> scanKindFromName(std::string_view name);

std::unique_ptr<LineParser> makeParser(ScanKind kind);
CompareRule compareRuleFor(ScanKind kind);
// May be nullptr: the list then sorts with the compare rule alone.
SortKeyRule sortKeyRuleFor(ScanKind kind);

} // namespace bw
