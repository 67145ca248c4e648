#include "app/mainwindow/RowFinder.h"

#include "base/DisplayText.h"
#include "lists/RowStore.h"

#include <algorithm>

namespace bw {

namespace {

char folded(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

RowFinder::RowFinder(const QString& text)
    : m_text(text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            m_ascii = false;
            break;
        }
    }
    if (m_ascii) {
        m_folded = text.toStdString();
        std::transform(m_folded.begin(), m_folded.end(), m_folded.begin(), folded);
    }
}

bool RowFinder::matches(std::string_view cell) const
{
    if (m_text.isEmpty())
        return false;
    if (!m_ascii) {
        // Text beyond ASCII needs a byte beyond it in the cell (leaving aside
        // the few signs that fold to ASCII letters); most cells have none.
        if (std::none_of(cell.begin(), cell.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            return false;
        return displayText(cell).contains(m_text, Qt::CaseInsensitive);
    }
    const std::size_t n = m_folded.size();
    if (cell.size() < n)
        return false;
    const char first = m_folded.front();
    for (std::size_t i = 0; i + n <= cell.size(); ++i) {
        if (folded(cell[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < n && folded(cell[i + k]) == m_folded[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

RowFinder::Hit RowFinder::find(const RowStore& rows, int rowCount, int columnCount, int start, bool forward) const
{
    Hit hit;
    const int count = std::min(rowCount, static_cast<int>(rows.placedCount()));
    if (m_text.isEmpty() || count <= 0)
        return hit;
    start = std::clamp(start, 0, count - 1);
    int firstHit = -1, lastHit = -1;
    int before = 0;    // matches before start
    int afterRow = -1; // forward: the first match at or after start
    int uptoRow = -1;  // backward: the last match at or before start
    int uptoNumber = 0;
    for (int i = 0; i < count; ++i) {
        const Row& row = rows.at(static_cast<std::size_t>(i));
        bool match = false;
        for (int c = 0; c < columnCount && !match; ++c)
            match = matches(row.column(c));
        if (!match)
            continue;
        ++hit.count;
        if (firstHit < 0)
            firstHit = i;
        lastHit = i;
        if (i < start)
            ++before;
        if (i >= start && afterRow < 0)
            afterRow = i;
        if (i <= start) {
            uptoRow = i;
            uptoNumber = hit.count;
        }
    }
    if (hit.count == 0)
        return hit;
    if (forward) {
        hit.row = afterRow >= 0 ? afterRow : firstHit;
        hit.number = afterRow >= 0 ? before + 1 : 1;
    } else {
        hit.row = uptoRow >= 0 ? uptoRow : lastHit;
        hit.number = uptoRow >= 0 ? uptoNumber : hit.count;
    }
    return hit;
}

} // namespace bw
