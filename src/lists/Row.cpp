#include "lists/Row.h"

#include "lists/RowLayout.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace bw {

static_assert(sizeof(Row) <= 192, "a row is meant to fill three cache lines");
static_assert(ContentsRow::SubItemCount <= Row::maxSubItems && DocumentRow::SubItemCount <= Row::maxSubItems
                  && ExpireRow::SubItemCount <= Row::maxSubItems && BlobRow::SubItemCount <= Row::maxSubItems,
              "every kind's values fit in a row");

void RowText::take(RowText& other) noexcept
{
    if (other.onHeap()) {
        m_data = std::exchange(other.m_data, other.m_inline);
        m_capacity = std::exchange(other.m_capacity, static_cast<std::uint32_t>(inlineBytes));
    } else {
        m_data = m_inline;
        m_capacity = static_cast<std::uint32_t>(inlineBytes);
        std::memcpy(m_inline, other.m_inline, other.m_size);
    }
    m_size = std::exchange(other.m_size, 0);
}

char* RowText::allocate(std::size_t n)
{
    // Rows are reused section after section, so a row soon holds room for
    // the longest text it has had.
    const std::size_t capacity = (std::max<std::size_t>(n, 2 * std::size_t(m_capacity)) + 15) / 16 * 16;
    if (capacity > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a row's text is limited to 4 GiB");
    char* data = new char[capacity];
    m_capacity = static_cast<std::uint32_t>(capacity);
    return data;
}

void RowText::assign(std::string_view text)
{
    if (text.size() > m_capacity) {
        char* data = allocate(text.size());
        release();
        m_data = data;
    }
    if (!text.empty())
        std::memcpy(m_data, text.data(), text.size());
    m_size = static_cast<std::uint32_t>(text.size());
}

void RowText::append(std::string_view text)
{
    if (!text.empty())
        std::memcpy(splice(m_size, 0, text.size()), text.data(), text.size());
}

char* RowText::splice(std::size_t start, std::size_t length, std::size_t count)
{
    const std::size_t tail = m_size - start - length;
    const std::size_t size = m_size - length + count;
    if (size > m_capacity) {
        char* data = allocate(size);
        if (start > 0)
            std::memcpy(data, m_data, start);
        if (tail > 0)
            std::memcpy(data + start + count, m_data + start + length, tail);
        release();
        m_data = data;
    } else if (count != length && tail > 0) {
        std::memmove(m_data + start + count, m_data + start + length, tail);
    }
    m_size = static_cast<std::uint32_t>(size);
    return m_data + start;
}

void Row::setSubItem(std::size_t k, std::string_view value)
{
    setRun(k, &value, 1);
}

void Row::setSubItemsFrom(std::size_t first, std::initializer_list<std::string_view> values)
{
    setRun(first, values.begin(), values.size());
}

void Row::setRun(std::size_t first, const std::string_view* values, std::size_t count)
{
    if (first >= m_count || count == 0)
        return;
    const std::size_t n = std::min(count, m_count - first);
    const char* own = m_items.data();
    const std::less<const char*> below;
    std::size_t total = n - 1;
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        total += values[i].size();
        inside = inside || (!below(values[i].data(), own) && below(values[i].data(), own + m_items.size()));
    }
    if (inside) {
        // A value taken from this row would move as the text changes.
        const std::vector<std::string> copies(values, values + n);
        const std::vector<std::string_view> views(copies.begin(), copies.end());
        setRun(first, views.data(), n);
        return;
    }
    const std::size_t start = startOf(first);
    const std::size_t length = m_ends[first + n - 1] - start;
    char* const base = m_items.splice(start, length, total) - start;
    std::size_t at = start;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0)
            base[at++] = '\t';
        if (!values[i].empty())
            std::memcpy(base + at, values[i].data(), values[i].size());
        at += values[i].size();
        m_ends[first + i] = static_cast<std::uint32_t>(at);
    }
    const auto grown = static_cast<std::uint32_t>(total - length); // modulo 2^32, as the ends are
    for (std::size_t j = first + n; j < m_count; ++j)
        m_ends[j] += grown;
}

void Row::setSubItems(const std::vector<std::string>& items)
{
    m_count = static_cast<std::uint8_t>(std::min(items.size(), maxSubItems));
    m_items.clear();
    for (std::size_t k = 0; k < m_count; ++k) {
        if (k > 0)
            m_items.append("\t");
        m_items.append(items[k]);
        m_ends[k] = static_cast<std::uint32_t>(m_items.size());
    }
}

void Row::copySubItems(const Row& from)
{
    m_items = from.m_items;
    m_ends = from.m_ends;
    m_count = from.m_count;
}

std::vector<std::string> Row::subItems() const
{
    std::vector<std::string> out;
    out.reserve(m_count);
    for (std::size_t k = 0; k < m_count; ++k)
        out.emplace_back(subItem(k));
    return out;
}

} // namespace bw
