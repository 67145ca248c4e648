#include "session/KindProfile.h"

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

std::unique_ptr<RowStore> contentsRows(const SortState& sort)
{
    // The parser finds a user by name and file ID.
    return std::make_unique<RowStore>(contentsOrder(), sort, 1 + ContentsParser::UserFid);
}

std::unique_ptr<RowStore> documentRows(const SortState& sort)
{
    return std::make_unique<RowStore>(documentOrder(), sort);
}

std::unique_ptr<RowStore> expireRows(const SortState& sort)
{
    return std::make_unique<RowStore>(expireOrder(), sort);
}

// The Structure Check list stops at 4000 rows and its dates have no cheap
// key, so it sorts with its compare rule alone.
std::unique_ptr<RowStore> blobRows(const SortState& sort)
{
    return std::make_unique<RowStore>(blobOrder(), sort);
}

const KindProfile profiles[] = {
    {ScanKind::Contents, "contents", make<ContentsParser>, contentsRows, contentsColumns, contentsRowColour,
     contentsRowTip, false, true, false},
    {ScanKind::Documents, "documents", make<DocumentParser>, documentRows, documentColumns, nullptr, nullptr, true,
     false, true},
    {ScanKind::Expire, "expire", make<ExpireParser>, expireRows, expireColumns, nullptr, nullptr, false, false, false},
    {ScanKind::Structure, "structure", make<StructureParser>, blobRows, blobColumns, nullptr, nullptr, false, false,
     false},
};

} // namespace

const KindProfile& kindProfile(ScanKind kind)
{
    for (const KindProfile& profile : profiles) {
        if (profile.kind == kind)
            return profile;
    }
    return profiles[0];
}

const KindProfile* kindProfileNamed(std::string_view name)
{
    for (const KindProfile& profile : profiles) {
        if (profile.name == name)
            return &profile;
    }
    return nullptr;
}

std::span<const KindProfile> kindProfiles()
{
    return profiles;
}

} // namespace bw
