#include "lists/Row.h"

#include <algorithm>

namespace bw {

void Row::setSubItem(std::size_t k, std::string_view value)
{
    if (k >= m_count)
        return;
    const std::size_t start = startOf(k);
    const std::size_t length = m_ends[k] - start;
    // replace() copies correctly from a value inside the text itself.
    m_items.replace(start, length, value.data(), value.size());
    const auto grown = static_cast<std::uint32_t>(value.size() - length); // modulo 2^32, as the ends are
    for (std::size_t j = k; j < m_count; ++j)
        m_ends[j] += grown;
}

void Row::setSubItems(const std::vector<std::string>& items)
{
    m_count = static_cast<std::uint8_t>(std::min(items.size(), maxSubItems));
    m_items.clear();
    for (std::size_t k = 0; k < m_count; ++k) {
        if (k > 0)
            m_items += '\t';
        m_items += items[k];
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
