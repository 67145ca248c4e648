#include "lists/Row.h"

#include <algorithm>
#include <cstring>
#include <functional>

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

void Row::setSubItemsFrom(std::size_t first, std::initializer_list<std::string_view> values)
{
    if (first >= m_count || values.size() == 0)
        return;
    const std::size_t n = std::min(values.size(), m_count - first);
    const std::string_view* value = values.begin();
    const char* own = m_items.data();
    const std::less<const char*> below;
    std::size_t total = n - 1;
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        total += value[i].size();
        inside = inside || (!below(value[i].data(), own) && below(value[i].data(), own + m_items.size()));
    }
    if (inside) {
        // A value taken from this row moves as the text changes: one at a time.
        std::vector<std::string> copies(value, value + n);
        for (std::size_t i = 0; i < n; ++i)
            setSubItem(first + i, copies[i]);
        return;
    }
    const std::size_t start = startOf(first);
    const std::size_t length = m_ends[first + n - 1] - start;
    m_items.replace(start, length, total, '\t');
    std::size_t at = start;
    for (std::size_t i = 0; i < n; ++i) {
        if (!value[i].empty())
            std::memcpy(m_items.data() + at, value[i].data(), value[i].size());
        at += value[i].size();
        m_ends[first + i] = static_cast<std::uint32_t>(at);
        ++at; // the tab that the replace left there
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
