#include "scan/ScanKind.h"

#include "lists/BlobCompare.h"
#include "lists/ContentsCompare.h"
#include "lists/DocumentCompare.h"
#include "lists/ExpireCompare.h"
#include "scan/ContentsParser.h"
#include "scan/DocumentParser.h"
#include "scan/ExpireParser.h"
#include "scan/StructureParser.h"

namespace bw {

std::optional<ScanKind> scanKindFromName(std::string_view name)
{
    if (name == "contents")
        return ScanKind::Contents;
    if (name == "documents")
        return ScanKind::Documents;
    if (name == "expire")
        return ScanKind::Expire;
    if (name == "structure")
        return ScanKind::Structure;
    return std::nullopt;
}

std::unique_ptr<LineParser> makeParser(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return std::make_unique<ContentsParser>();
    case ScanKind::Documents:
        return std::make_unique<DocumentParser>();
    case ScanKind::Expire:
        return std::make_unique<ExpireParser>();
    case ScanKind::Structure:
        return std::make_unique<StructureParser>();
    default:
        return nullptr;
    }
}

CompareRule compareRuleFor(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return contentsCompare;
    case ScanKind::Documents:
        return documentCompare;
    case ScanKind::Expire:
        return expireCompare;
    case ScanKind::Structure:
        return blobCompare;
    default:
        return contentsCompare;
    }
}

SortKeyRule sortKeyRuleFor(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return contentsSortKey;
    case ScanKind::Documents:
        return documentSortKey;
    case ScanKind::Expire:
        return expireSortKey;
    case ScanKind::Structure:
        // Its lists stop at 4000 rows; dates have no cheap key.
        return nullptr;
    }
    return nullptr;
}

} // namespace bw
