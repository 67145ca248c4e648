#include "base/MarkerSet.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace bw {

MarkerSet::MarkerSet(std::initializer_list<std::string_view> markers)
    : m_shift(65536)
    , m_candidate(65536, 0)
{
    if (markers.size() == 0 || markers.size() > 32)
        throw std::invalid_argument("MarkerSet takes 1 to 32 markers");
    m_window = 255;
    for (std::string_view m : markers) {
        if (m.size() < 4)
            throw std::invalid_argument("a marker needs at least four bytes");
        m_markers.emplace_back(m);
        m_heads.push_back(head(m.data()));
        m_window = std::min(m_window, m.size());
    }
    m_all = markers.size() == 32 ? ~Mask(0) : (bit(static_cast<int>(markers.size())) - 1);
    std::fill(m_shift.begin(), m_shift.end(), static_cast<std::uint8_t>(m_window - blockBytes + 1));
    for (std::size_t k = 0; k < m_markers.size(); ++k) {
        const char* p = m_markers[k].data();
        for (std::size_t j = 0; j + blockBytes <= m_window; ++j) {
            const unsigned b = block(p + j);
            const auto shift = static_cast<std::uint8_t>(m_window - blockBytes - j);
            m_shift[b] = std::min(m_shift[b], shift);
            if (shift == 0) {
                if (m_candidate[b] == 0) {
                    m_candidateMasks.push_back(0);
                    m_candidate[b] = static_cast<std::uint8_t>(m_candidateMasks.size());
                }
                m_candidateMasks[m_candidate[b] - 1] |= bit(static_cast<int>(k));
            }
        }
    }
}

MarkerSet::Mask MarkerSet::find(std::string_view line) const
{
    const std::size_t n = line.size();
    if (n < m_window)
        return 0;
    const char* p = line.data();
    Mask found = 0;
    std::size_t i = 0;
    const std::size_t last = n - m_window;
    while (i <= last) {
        const unsigned b = block(p + i + m_window - blockBytes);
        const std::uint8_t shift = m_shift[b];
        if (shift != 0) {
            i += shift;
            continue;
        }
        Mask cands = m_candidateMasks[m_candidate[b] - 1] & ~found;
        while (cands != 0) {
            const int k = std::countr_zero(cands);
            cands &= cands - 1;
            const auto index = static_cast<std::size_t>(k);
            const std::string& m = m_markers[index];
            if (i + m.size() <= n && head(p + i) == m_heads[index]
                && std::memcmp(p + i + 4, m.data() + 4, m.size() - 4) == 0)
                found |= bit(k);
        }
        if (found == m_all)
            break;
        ++i;
    }
    return found;
}

} // namespace bw
