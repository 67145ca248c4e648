#include "report_engine/ReportPage.h"

#include <algorithm>
#include <cmath>

namespace bw {

std::vector<std::vector<const PageText*>> ReportPage::lines() const
{
    std::vector<const PageText*> sorted;
    sorted.reserve(m_texts.size());
    for (const PageText& t : m_texts)
        sorted.push_back(&t);
    std::stable_sort(sorted.begin(), sorted.end(), [](const PageText* a, const PageText* b) {
        return a->rectMm.top() < b->rectMm.top();
    });
    std::vector<std::vector<const PageText*>> out;
    double lineTop = 0;
    for (const PageText* t : sorted) {
        if (out.empty() || t->rectMm.top() - lineTop > 0.1) {
            out.emplace_back();
            lineTop = t->rectMm.top();
        }
        out.back().push_back(t);
    }
    for (auto& line : out) {
        std::stable_sort(line.begin(), line.end(), [](const PageText* a, const PageText* b) {
            return a->rectMm.left() < b->rectMm.left();
        });
    }
    return out;
}

} // namespace bw
