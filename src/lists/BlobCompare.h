#pragma once

#include "base/DateTimeText.h"
#include "lists/Row.h"
#include "lists/RowOrder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bw {

// Orders date-time texts by the values they read as; texts that do not read
// (a log's own date, "Unknown") come after all that do, as folded text.
// Reading through QLocale takes microseconds, far too slow for every
// comparison of a sort, so each distinct text is read once.
class DateTimeOrder {
public:
    explicit DateTimeOrder(const QLocale& locale = QLocale::system());

    int compare(std::string_view a, std::string_view b);

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };

    std::optional<std::int64_t> valueOf(std::string_view text);

    DateTimeText m_dates;
    std::unordered_map<std::string, std::optional<std::int64_t>, TextHash, std::equal_to<>> m_values;
};

// The Unknown BLOB list's order: BLOB file and library location as folded
// text, the size as a signed 64-bit number, the date and time by its value in
// the user's formats. Values that do not convert come after all that do,
// ordered as folded text.
int blobCompare(const Row& a, const Row& b, int column, DateTimeOrder& dates);

// That order for one list, reading dates in the formats of locale as it is
// when the order is made. It has no sort keys: the list stops at 4000 rows
// and its dates have no cheap key.
std::unique_ptr<RowOrder> blobOrder(const QLocale& locale = QLocale::system());

} // namespace bw
