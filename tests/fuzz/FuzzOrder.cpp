// Every list order is a total order, whatever the rows hold, and its sort
// keys agree with it. Byte 0 chooses the kind, byte 1 the column; the rest,
// cut at line feeds, fills the captions and sub-items of up to six rows.
#include "lists/BlobCompare.h"
#include "lists/ContentsCompare.h"
#include "lists/DocumentCompare.h"
#include "lists/ExpireCompare.h"
#include "session/KindProfile.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

int keySign(const bw::SortKey& a, const bw::SortKey& b)
{
    if (a.high != b.high)
        return a.high < b.high ? -1 : 1;
    if (a.low != b.low)
        return a.low < b.low ? -1 : 1;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static const std::unique_ptr<bw::RowOrder> orders[] = {bw::contentsOrder(), bw::documentOrder(), bw::expireOrder(),
                                                           bw::blobOrder()};
    static const bw::ScanKind kinds[] = {bw::ScanKind::Contents, bw::ScanKind::Documents, bw::ScanKind::Expire,
                                         bw::ScanKind::Structure};
    const std::size_t k = data[0] % 4;
    const bw::RowOrder& order = *orders[k];
    const std::size_t columns = bw::kindProfile(kinds[k]).columns().size();
    const int column = static_cast<int>(data[1] % columns);

    std::vector<bw::Row> rows;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    while (!rest.empty() && rows.size() < 6) {
        bw::Row row;
        std::vector<std::string> items(columns - 1);
        for (std::size_t c = 0; c < columns && !rest.empty(); ++c) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            (c == 0 ? row.caption : items[c - 1]) = std::string(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        row.setSubItems(items);
        rows.push_back(std::move(row));
    }

    const auto cmp = [&](std::size_t a, std::size_t b) { return sign(order.compare(rows[a], rows[b], column)); };
    const std::size_t n = rows.size();
    for (std::size_t a = 0; a < n; ++a) {
        if (cmp(a, a) != 0)
            __builtin_trap();
        for (std::size_t b = 0; b < n; ++b) {
            if (cmp(a, b) != -cmp(b, a))
                __builtin_trap();
            if (order.hasSortKeys()) {
                const bw::SortKey ka = order.sortKey(rows[a], column);
                const bw::SortKey kb = order.sortKey(rows[b], column);
                const int ks = keySign(ka, kb);
                if (ks != 0 && ks != cmp(a, b))
                    __builtin_trap();
                if (ks == 0 && ka.decisive && kb.decisive && cmp(a, b) != 0)
                    __builtin_trap();
            }
            for (std::size_t c = 0; c < n; ++c) {
                if (cmp(a, b) <= 0 && cmp(b, c) <= 0 && cmp(a, c) > 0)
                    __builtin_trap();
                if (cmp(a, b) == 0 && cmp(b, c) == 0 && cmp(a, c) != 0)
                    __builtin_trap();
            }
        }
    }
    return 0;
}
