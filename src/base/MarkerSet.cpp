#include "base/MarkerSet.h"

#include "base/Text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define BW_MARKERS_AVX2 1
#endif

namespace bw {

namespace {

// Whether n bytes (at least four) at a and b are alike, eight at a step: the
// markers are a dozen bytes or two, and a call of memcmp costs more.
inline bool sameBytes(const char* a, const char* b, std::size_t n)
{
    const auto word = [](const char* p, auto value) {
        std::memcpy(&value, p, sizeof value);
        return value;
    };
    if (n < 8)
        return word(a, std::uint32_t()) == word(b, std::uint32_t())
               && word(a + n - 4, std::uint32_t()) == word(b + n - 4, std::uint32_t());
    for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (word(a + i, std::uint64_t()) != word(b + i, std::uint64_t()))
            return false;
    }
    return word(a + n - 8, std::uint64_t()) == word(b + n - 8, std::uint64_t());
}

} // namespace

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
        if (m.find('\n') != std::string_view::npos)
            throw std::invalid_argument("a marker holds no line feed");
        m_markers.emplace_back(m);
        m_window = std::min(m_window, m.size());
    }
    m_all = markers.size() == 32 ? ~Mask(0) : (bit(static_cast<int>(markers.size())) - 1);

    prepareWide();
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

void MarkerSet::prepareWide()
{
#ifdef BW_MARKERS_AVX2
    __builtin_cpu_init();
    m_wide = __builtin_cpu_supports("avx2");
#endif
    // Without the vector pass the tables would serve nothing.
    if (!m_wide)
        return;
    // Each marker is found by three of its bytes, chosen to be rare in log
    // text: a record line's marker often shares its start with many lines
    // ("Checking user =" and "Checking message").
    const auto rarity = [](unsigned char c) {
        if ((c >= 'a' && c <= 'z') || c == ' ')
            return 1;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ',')
            return 2;
        if (c >= 'A' && c <= 'Z')
            return 3;
        return 4;
    };
    int load[8] = {};
    for (std::size_t k = 0; k < m_markers.size(); ++k) {
        const std::string& m = m_markers[k];
        std::size_t best = 0;
        int bestScore = -1;
        for (std::size_t o = 0; o + 3 <= m.size(); ++o) {
            const int score = rarity(static_cast<unsigned char>(m[o])) + rarity(static_cast<unsigned char>(m[o + 1]))
                              + rarity(static_cast<unsigned char>(m[o + 2]));
            if (score > bestScore) {
                bestScore = score;
                best = o;
            }
        }
        m_keyOffsets[k] = static_cast<std::uint8_t>(std::min<std::size_t>(best, 255));
        const std::string_view key = std::string_view(m).substr(m_keyOffsets[k], 3);
        // The group whose tables grow least: a group lets through every
        // mix of the low and high halves its markers' bytes hold.
        int group = 0;
        std::uint64_t leastMixes = ~std::uint64_t(0);
        for (int g = 0; g < 8; ++g) {
            std::uint64_t mixes = 1;
            for (std::size_t j = 0; j < 3; ++j) {
                const auto c = static_cast<unsigned char>(key[j]);
                int lows = 0;
                int highs = 0;
                for (int v = 0; v < 16; ++v) {
                    lows += (m_nibbleTables[j][v] >> g & 1) != 0 || v == (c & 15);
                    highs += (m_nibbleTables[3 + j][v] >> g & 1) != 0 || v == (c >> 4);
                }
                mixes *= static_cast<std::uint64_t>(lows * highs);
            }
            if (mixes < leastMixes || (mixes == leastMixes && load[g] < load[group])) {
                leastMixes = mixes;
                group = g;
            }
        }
        ++load[group];
        m_groupMarkers[group] |= bit(static_cast<int>(k));
        // Both halves of a 32-byte table alike: the lookup works in each
        // 16-byte half apart.
        for (std::size_t j = 0; j < 3; ++j) {
            const auto c = static_cast<unsigned char>(key[j]);
            for (std::size_t half : {0u, 16u}) {
                m_nibbleTables[j][half + (c & 15)] |= static_cast<std::uint8_t>(1u << group);
                m_nibbleTables[3 + j][half + (c >> 4)] |= static_cast<std::uint8_t>(1u << group);
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
            if (i + m.size() <= n && sameBytes(p + i, m.data(), m.size()))
                found |= bit(k);
        }
        if (found == m_all)
            break;
        ++i;
    }
    return found;
}

void MarkerSet::cutLines(std::string_view text, std::vector<std::size_t>& ends, std::vector<Mask>& masks) const
{
#ifdef BW_MARKERS_AVX2
    if (m_wide) {
        cutLinesWide(text, ends, masks);
        return;
    }
#endif
    lineEnds(text, ends);
    masks.resize(ends.size());
    for (std::size_t j = 0, begin = 0; j < ends.size(); begin = ends[j++])
        masks[j] = find(text.substr(begin, ends[j] - begin));
}

void MarkerSet::check(std::string_view text, std::size_t place, unsigned groups, Mask& found) const
{
    for (; groups != 0; groups &= groups - 1) {
        for (Mask cands = m_groupMarkers[std::countr_zero(groups)] & ~found; cands != 0; cands &= cands - 1) {
            const int k = std::countr_zero(cands);
            const auto index = static_cast<std::size_t>(k);
            const std::string& m = m_markers[index];
            if (place < m_keyOffsets[index])
                continue;
            const std::size_t start = place - m_keyOffsets[index];
            if (start + m.size() <= text.size() && sameBytes(text.data() + start, m.data(), m.size()))
                found |= bit(k);
        }
    }
}

#ifdef BW_MARKERS_AVX2

namespace {

struct NibbleTables {
    __m256i low[3];
    __m256i high[3];
};

constexpr std::size_t wideBlock = 32;

// Reads 32 + 2 bytes from p. For each of the 32 places, the groups whose
// three bytes may lie there go to groups; returns the places that have any,
// and in lineFeeds those that hold a line feed.
__attribute__((target("avx2"))) inline unsigned placesAt(const char* p, const NibbleTables& t,
                                                         std::uint8_t (&groups)[wideBlock], unsigned& lineFeeds)
{
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    __m256i g = _mm256_set1_epi8(-1);
    for (int j = 0; j < 3; ++j) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + j));
        if (j == 0)
            lineFeeds = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('\n'))));
        g = _mm256_and_si256(g, _mm256_shuffle_epi8(t.low[j], _mm256_and_si256(v, nibble)));
        g = _mm256_and_si256(g, _mm256_shuffle_epi8(t.high[j], _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(groups), g);
    return ~static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(g, _mm256_setzero_si256())));
}

} // namespace

__attribute__((target("avx2"))) void MarkerSet::cutLinesWide(std::string_view text, std::vector<std::size_t>& ends,
                                                              std::vector<Mask>& masks) const
{
    constexpr std::size_t reach = wideBlock + 2; // bytes one block reads
    ends.clear();
    masks.assign(1, 0); // the line in hand
    NibbleTables tables;
    for (int j = 0; j < 3; ++j) {
        tables.low[j] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(m_nibbleTables[j]));
        tables.high[j] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(m_nibbleTables[3 + j]));
    }
    std::uint8_t groups[wideBlock];
    // A block's places and line feeds in rising order: a line feed ends the
    // line in hand, a place adds to its markers.
    const auto take = [&](std::size_t base, unsigned places, unsigned lineFeeds) {
        if (places == 0) {
            // Most blocks: text between markers.
            for (; lineFeeds != 0; lineFeeds &= lineFeeds - 1) {
                ends.push_back(base + static_cast<unsigned>(std::countr_zero(lineFeeds)) + 1);
                masks.push_back(0);
            }
            return;
        }
        while ((places | lineFeeds) != 0) {
            const auto nextPlace = places != 0 ? static_cast<unsigned>(std::countr_zero(places)) : wideBlock;
            const auto nextFeed = lineFeeds != 0 ? static_cast<unsigned>(std::countr_zero(lineFeeds)) : wideBlock;
            if (nextFeed < nextPlace) {
                ends.push_back(base + nextFeed + 1);
                masks.push_back(0);
                lineFeeds &= lineFeeds - 1;
            } else {
                check(text, base + nextPlace, groups[nextPlace], masks.back());
                places &= places - 1;
            }
        }
    };
    const std::size_t n = text.size();
    const char* p = text.data();
    std::size_t i = 0;
    for (; i + reach <= n; i += wideBlock) {
        unsigned lineFeeds = 0;
        const unsigned places = placesAt(p + i, tables, groups, lineFeeds);
        take(i, places, lineFeeds);
    }
    if (i < n) {
        // The last bytes, fewer than a block reads: from a copy padded with
        // zero bytes, which hold no line feed and lie past every marker.
        char padded[3 * wideBlock] = {};
        std::memcpy(padded, p + i, n - i);
        const std::size_t rest = n - i;
        unsigned lineFeeds = 0;
        unsigned places = placesAt(padded, tables, groups, lineFeeds);
        if (rest < wideBlock) {
            places &= (1u << rest) - 1;
            lineFeeds &= (1u << rest) - 1;
        }
        take(i, places, lineFeeds);
        if (rest > wideBlock) {
            places = placesAt(padded + wideBlock, tables, groups, lineFeeds);
            const unsigned keep = (1u << (rest - wideBlock)) - 1;
            take(i + wideBlock, places & keep, lineFeeds & keep);
        }
    }
    masks.pop_back(); // that of the text after the last line feed
}

#endif

} // namespace bw
