#include "lists/ColumnLayout.h"

namespace bw {

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnInfo contents[] = {
    {"User Name", 100, left},  {"User FID", 60, centre}, {"User DB Size", 75, right},
    {"InBox", 60, right},     {"OutBox", 60, right},   {"WasteBasket", 80, right},
    {"Total Size", 75, right}, {"Flag", 35, centre},
};

constexpr ColumnInfo documents[] = {
    {"Document", 65, left},   {"Version", 50, centre},     {"Author", 100, left},
    {"Library", 50, centre}, {"Author DPU", 90, left},   {"Extension", 80, left},
    {"Output File", 75, centre},
};

constexpr ColumnInfo expire[] = {
    {"User Name", 100, left},
    {"User Database Name", 120, left},
    {"Msg Database Name", 130, left},
    {"User Database Size", 120, right},
};

constexpr ColumnInfo structure[] = {
    {"BLOB File", 120, left},
    {"Library Location", 200, left},
    {"File Size", 70, right},
    {"Date and Time", 120, left},
};

} // namespace

std::span<const ColumnInfo> contentsColumns()
{
    return contents;
}

std::span<const ColumnInfo> documentColumns()
{
    return documents;
}

std::span<const ColumnInfo> expireColumns()
{
    return expire;
}

std::span<const ColumnInfo> blobColumns()
{
    return structure;
}

} // namespace bw
