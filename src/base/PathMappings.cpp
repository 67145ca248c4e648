#include "base/PathMappings.h"

#include "base/StoreFiles.h"
#include "base/Text.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace bw {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The separators a path starts with (a UNC path has two, a rooted one one),
// and its components without the empty ones.
int split(std::string_view path, std::vector<std::string_view>& parts)
{
    int leading = 0;
    std::size_t i = 0;
    while (i < path.size() && isSeparator(path[i])) {
        ++i;
        ++leading;
    }
    parts.clear();
    while (i < path.size()) {
        std::size_t end = i;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (end > i)
            parts.push_back(path.substr(i, end - i));
        i = end + 1;
    }
    return std::min(leading, 2);
}

} // namespace

PathMappings::PathMappings(const std::vector<PathMapping>& entries)
{
    std::vector<std::string_view> parts;
    for (const PathMapping& entry : entries) {
        if (!validPrefix(entry.prefix) || entry.folder.isEmpty())
            continue;
        m_entries.push_back(entry);
        const QByteArray prefix = QFile::encodeName(entry.prefix);
        Compiled c;
        c.leading = split(std::string_view(prefix.constData(), static_cast<std::size_t>(prefix.size())), parts);
        for (std::string_view p : parts)
            c.components.emplace_back(p);
        QString folder = QDir::fromNativeSeparators(entry.folder);
        // A relative folder is taken from where the mapping was made.
        folder = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
        c.folder = QFile::encodeName(folder).toStdString();
        m_compiled.push_back(std::move(c));
    }
}

std::optional<std::string> PathMappings::apply(std::string_view logPath, std::string* folder) const
{
    if (m_compiled.empty())
        return std::nullopt;
    std::vector<std::string_view> parts;
    const int leading = split(logPath, parts);
    const Compiled* best = nullptr;
    for (const Compiled& c : m_compiled) {
        if (c.leading != leading || c.components.size() > parts.size())
            continue;
        if (best && best->components.size() >= c.components.size())
            continue;
        bool match = true;
        for (std::size_t k = 0; k < c.components.size() && match; ++k)
            match = foldCompare(c.components[k], parts[k]) == 0;
        if (match)
            best = &c;
    }
    if (!best)
        return std::nullopt;
    if (folder)
        *folder = best->folder;
    std::string local = best->folder;
    for (std::size_t k = best->components.size(); k < parts.size(); ++k) {
        if (local.empty() || local.back() != '/')
            local += '/';
        local += parts[k];
    }
    return local;
}

std::optional<std::string> PathMappings::folderHolding(const std::string& local) const
{
    const std::string* best = nullptr;
    for (const Compiled& c : m_compiled) {
        if (StoreFiles::liesBelow(c.folder, local) && (!best || best->size() < c.folder.size()))
            best = &c.folder;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

std::optional<std::string> PathMappings::serverForm(const std::string& local) const
{
    const Compiled* best = nullptr;
    std::size_t bestIndex = 0;
    for (std::size_t k = 0; k < m_compiled.size(); ++k) {
        const Compiled& c = m_compiled[k];
        const bool holds = c.folder == local || StoreFiles::liesBelow(c.folder, local);
        if (holds && (!best || best->folder.size() < c.folder.size())) {
            best = &c;
            bestIndex = k;
        }
    }
    if (!best)
        return std::nullopt;
    std::string out = QFile::encodeName(m_entries[bestIndex].prefix).toStdString();
    std::replace(out.begin(), out.end(), '/', '\\');
    while (out.size() > 2 && out.back() == '\\')
        out.pop_back();
    std::string_view rest = std::string_view(local).substr(std::min(local.size(), best->folder.size()));
    std::vector<std::string_view> parts;
    split(rest, parts);
    for (std::string_view p : parts) {
        if (p == ".")
            continue;
        out += '\\';
        out += p;
    }
    return out;
}

bool PathMappings::validPrefix(const QString& prefix)
{
    for (QChar c : prefix) {
        if (c != u'\\' && c != u'/' && !c.isSpace())
            return true;
    }
    return false;
}

std::optional<PathMapping> PathMappings::parse(const QString& text)
{
    const qsizetype at = text.indexOf(u'=');
    if (at <= 0 || at + 1 >= text.size())
        return std::nullopt;
    PathMapping m{text.left(at), text.mid(at + 1)};
    if (!validPrefix(m.prefix))
        return std::nullopt;
    return m;
}

} // namespace bw
