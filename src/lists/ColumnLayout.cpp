#include "lists/ColumnLayout.h"

namespace bw {

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

constexpr ColumnInfo contents[] = {
    {"User Name", 100, left, true},  {"User FID", 60, centre, true}, {"User DB Size", 75, right, true},
    {"InBox", 60, right, false},     {"OutBox", 60, right, false},   {"WasteBasket", 80, right, false},
    {"Total Size", 75, right, false}, {"Flag", 35, centre, false},
};

constexpr ColumnInfo documents[] = {
    {"Document", 65, left, true},   {"Version", 50, centre, true},     {"Author", 100, left, true},
    {"Library", 50, centre, false}, {"Author DPU", 90, left, false},   {"Extension", 80, left, false},
    {"Output File", 75, centre, false},
};

constexpr ColumnInfo expire[] = {
    {"User Name", 100, left, true},
    {"User Database Name", 120, left, true},
    {"Msg Database Name", 130, left, true},
    {"User Database Size", 120, right, false},
};

constexpr ColumnInfo structure[] = {
    {"BLOB File", 120, left, true},
    {"Library Location", 200, left, true},
    {"File Size", 70, right, false},
    {"Date and Time", 120, left, false},
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
