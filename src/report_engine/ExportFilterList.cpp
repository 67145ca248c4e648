#include "report_engine/ExportFilterList.h"

#include "report_engine/ExportFilter.h"

#include <algorithm>
#include <utility>

namespace bw {

namespace {

struct Slot {
    int id;
    ExportFilterList::Entry entry;
};

std::vector<Slot>& registry()
{
    static std::vector<Slot> registered;
    return registered;
}

} // namespace

ExportFilterList::Registration::Registration(Entry entry)
{
    static int lastId = 0;
    m_id = ++lastId;
    registry().push_back({m_id, std::move(entry)});
}

ExportFilterList::Registration::Registration(Registration&& other) noexcept
    : m_id(std::exchange(other.m_id, 0))
{
}

ExportFilterList::Registration& ExportFilterList::Registration::operator=(Registration&& other) noexcept
{
    if (this != &other) {
        Registration gone(std::move(*this));
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

ExportFilterList::Registration::~Registration()
{
    if (m_id == 0)
        return;
    auto& registered = registry();
    registered.erase(std::remove_if(registered.begin(), registered.end(), [this](const Slot& s) { return s.id == m_id; }),
                registered.end());
}

std::vector<ExportFilterList::Entry> ExportFilterList::entries()
{
    std::vector<Entry> out;
    for (const Slot& s : registry())
        out.push_back(s.entry);
    return out;
}

std::unique_ptr<ExportFilter> ExportFilterList::create(int position, const QString& fileName)
{
    const auto& registered = registry();
    if (position < 0 || position >= static_cast<int>(registered.size()))
        return nullptr;
    return registered[static_cast<std::size_t>(position)].entry.create(fileName);
}

QString ExportFilterList::saveDialogFilter()
{
    QString text = QStringLiteral("Report page file (*.qrp)|*.qrp");
    for (const Slot& s : registry())
        text += u'|' + s.entry.name + QStringLiteral(" (*.") + s.entry.extension + QStringLiteral(")|*.")
                + s.entry.extension;
    return text;
}

} // namespace bw
