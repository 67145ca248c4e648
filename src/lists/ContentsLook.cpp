#include "lists/ContentsLook.h"

#include "lists/RowLayout.h"

namespace bw {

namespace {

std::string_view flagOf(const Row& row)
{
    return row.subItem(ContentsRow::LimitFlag);
}

} // namespace

std::optional<Rgb> contentsRowColour(const Row& row)
{
    const std::string_view flag = flagOf(row);
    if (flag == "S")
        return Rgb{255, 0, 0};
    if (flag == "T")
        return Rgb{255, 255, 0};
    return std::nullopt;
}

std::string contentsRowTip(const Row& row)
{
    const std::string_view flag = flagOf(row);
    const char* ending = nullptr;
    if (flag == "S")
        ending = ") is above Mailbox Size Limit";
    else if (flag == "T")
        ending = ") is above Mailbox Threshold Limit";
    else if (flag == "U")
        ending = ") is below Mailbox Threshold Limit";
    else if (flag == "Z")
        ending = ") has no Mailbox Size Limit";
    if (!ending)
        return {};
    std::string tip = row.caption;
    tip += " (";
    tip += row.subItem(ContentsRow::Department);
    tip += ending;
    return tip;
}

} // namespace bw
