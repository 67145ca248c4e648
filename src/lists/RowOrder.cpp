#include "lists/RowOrder.h"

namespace bw {

namespace {

class RuleOrder : public RowOrder {
public:
    RuleOrder(CompareRule rule, SortKeyRule key)
        : m_rule(rule)
        , m_key(key)
    {
    }

    int compare(const Row& a, const Row& b, int column) const override { return m_rule(a, b, column); }
    bool hasSortKeys() const override { return m_key != nullptr; }
    SortKey sortKey(const Row& row, int column) const override { return m_key ? m_key(row, column) : SortKey{}; }

private:
    CompareRule m_rule;
    SortKeyRule m_key;
};

} // namespace

SortKey RowOrder::sortKey(const Row&, int) const
{
    return {};
}

std::unique_ptr<RowOrder> ruleOrder(CompareRule rule, SortKeyRule key)
{
    return std::make_unique<RuleOrder>(rule, key);
}

} // namespace bw
