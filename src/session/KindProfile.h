#pragma once

#include "lists/ColumnLayout.h"
#include "lists/ContentsLook.h"
#include "lists/RowStore.h"
#include "scan/LineParser.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace bw {

// The four kinds of check, one per tab.
enum class ScanKind { Contents, Documents, Expire, Structure };

// Everything that differs between the kinds below the window: one entry per
// kind, so that a new question about a kind is answered in one place.
struct KindProfile {
    ScanKind kind;
    // The command line's name of the kind ("contents", ...).
    std::string_view name;
    std::unique_ptr<LineParser> (*makeParser)();
    // The kind's list: its order, sort keys and lookup.
    std::unique_ptr<RowStore> (*makeRows)(const SortState& sort);
    std::span<const ColumnInfo> (*columns)();
    // How a row stands out; nullptr where rows all look alike.
    std::optional<Rgb> (*rowColour)(const Row& row);
    std::string (*rowTip)(const Row& row);
    // Rows carry a check box (the rescue export ticks what it copied).
    bool checkableRows;
    // The Contents list re-sorts on a header click only at a pause or after
    // its scan (while its action is enabled); the others at any time.
    bool headerClickNeedsAction;
    // The tab has an output folder, proposed from the log's folder at a pick.
    bool hasOutputDirectory;
};

const KindProfile& kindProfile(ScanKind kind);
// By the command line's name; nullptr when there is no such kind.
const KindProfile* kindProfileNamed(std::string_view name);
std::span<const KindProfile> kindProfiles();

} // namespace bw
