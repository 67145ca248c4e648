#include "lists/BlobCompare.h"

#include "base/Text.h"
#include "lists/ContentsCompare.h"

namespace bw {

namespace {

// A sort sees at most a few thousand distinct texts; this only bounds a
// list that shows section after section of new ones.
constexpr std::size_t maxRemembered = 65536;

class BlobOrder : public RowOrder {
public:
    explicit BlobOrder(const QLocale& locale)
        : m_dates(locale)
    {
    }

    int compare(const Row& a, const Row& b, int column) const override { return blobCompare(a, b, column, m_dates); }

private:
    // Remembers the texts it has read; that changes no order.
    mutable DateTimeOrder m_dates;
};

} // namespace

DateTimeOrder::DateTimeOrder(const QLocale& locale)
    : m_dates(locale)
{
}

std::optional<std::int64_t> DateTimeOrder::valueOf(std::string_view text)
{
    if (const auto it = m_values.find(text); it != m_values.end())
        return it->second;
    if (m_values.size() >= maxRemembered)
        m_values.clear();
    const std::optional<std::int64_t> value = m_dates.read(text);
    m_values.emplace(std::string(text), value);
    return value;
}

int DateTimeOrder::compare(std::string_view a, std::string_view b)
{
    const auto x = valueOf(a);
    const auto y = valueOf(b);
    if (x && y)
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x || y)
        return x ? -1 : 1;
    return foldCompare(a, b);
}

int blobCompare(const Row& a, const Row& b, int column, DateTimeOrder& dates)
{
    switch (column) {
    case 2:
        return compareAsNumbers(a.column(column), b.column(column));
    case 3:
        return dates.compare(a.column(column), b.column(column));
    default:
        return foldCompare(a.column(column), b.column(column));
    }
}

std::unique_ptr<RowOrder> blobOrder(const QLocale& locale)
{
    return std::make_unique<BlobOrder>(locale);
}

} // namespace bw
