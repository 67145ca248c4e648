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

namespace {

template <typename P>
std::unique_ptr<LineParser> make()
{
    return std::make_unique<P>();
}

struct KindInfo {
    ScanKind kind;
    std::string_view name;
    std::unique_ptr<LineParser> (*makeParser)();
    CompareRule compare;
    SortKeyRule sortKey;
};

// The Structure Check list stops at 4000 rows and its dates have no cheap
// key, so it sorts with its compare rule alone.
const KindInfo kinds[] = {
    {ScanKind::Contents, "contents", make<ContentsParser>, contentsCompare, contentsSortKey},
    {ScanKind::Documents, "documents", make<DocumentParser>, documentCompare, documentSortKey},
    {ScanKind::Expire, "expire", make<ExpireParser>, expireCompare, expireSortKey},
    {ScanKind::Structure, "structure", make<StructureParser>, blobCompare, nullptr},
};

const KindInfo& infoFor(ScanKind kind)
{
    for (const KindInfo& info : kinds) {
        if (info.kind == kind)
            return info;
    }
    return kinds[0];
}

} // namespace

std::optional<ScanKind> scanKindFromName(std::string_view name)
{
    for (const KindInfo& info : kinds) {
        if (info.name == name)
            return info.kind;
    }
    return std::nullopt;
}

std::unique_ptr<LineParser> makeParser(ScanKind kind)
{
    return infoFor(kind).makeParser();
}

CompareRule compareRuleFor(ScanKind kind)
{
    return infoFor(kind).compare;
}

SortKeyRule sortKeyRuleFor(ScanKind kind)
{
    return infoFor(kind).sortKey;
}

} // namespace bw
