#include "base/PathResolver.h"

#include "base/StoreFiles.h"
#include "base/Text.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace bw {

namespace fs = std::filesystem;

namespace {

bool hasParentPart(std::string_view path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

// Enough for every area and subdirectory of a post office a scan walks.
constexpr std::size_t maxDirectories = 4096;
constexpr std::size_t maxListings = 256;
// A directory changed this recently may change again within the file
// system's time resolution without its time moving.
constexpr auto racy = std::chrono::seconds(2);

QString toLocal(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// The tests below run once per result line of a log: std::filesystem asks
// the disk once per test and, unlike QFileInfo's times, converts nothing.
bool exists(const std::string& local)
{
    std::error_code ec;
    return fs::exists(fs::path(local), ec);
}

bool isDirectory(const std::string& local)
{
    std::error_code ec;
    return fs::is_directory(fs::path(local), ec);
}

std::optional<fs::file_time_type> modifiedTime(const std::string& local)
{
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(fs::path(local), ec);
    if (ec)
        return std::nullopt;
    return t;
}

bool foldedLess(std::string_view a, std::string_view b)
{
    const int c = foldCompare(a, b);
    return c != 0 ? c < 0 : a < b;
}

std::string joined(const std::string& dir, std::string_view name)
{
    std::string path = dir;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

} // namespace

bool PathResolver::find(std::string_view logPath, std::string& out)
{
    // The check utility never writes a ".." part; a log holding one is
    // crafted to reach beyond the post office, so it names nothing.
    if (logPath.empty() || hasParentPart(logPath))
        return false;
    if (std::optional<std::string> mapped = m_mappings.apply(logPath, &m_root)) {
        m_path = std::move(*mapped);
    } else {
        m_root = m_baseBytes.empty() ? QFile::encodeName(QDir::currentPath()).toStdString() : m_baseBytes;
        m_path.assign(logPath);
        std::replace(m_path.begin(), m_path.end(), '\\', '/');
        if (!fs::path(m_path).is_absolute()) {
            if (m_baseBytes.empty())
                m_path = QFile::encodeName(QDir::current().absoluteFilePath(toLocal(m_path))).toStdString();
            else
                m_path = joined(m_baseBytes, m_path);
        }
    }
    if (exists(m_path)) {
        out = m_path;
        return true;
    }

    while (m_path.size() > 1 && m_path.back() == '/')
        m_path.pop_back();
    const std::size_t slash = m_path.rfind('/');
    if (slash == std::string::npos)
        return false;
    const std::string_view all(m_path);
    const std::string_view name = all.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return false;

    std::string dir;
    if (!resolveDirectory(all.substr(0, slash + 1), dir))
        return false;
    std::string entry = joined(dir, name);
    if (exists(entry)) {
        out = std::move(entry);
        return true;
    }
    std::string match;
    if (!matchEntry(dir, name, match))
        return false;
    entry = joined(dir, match);
    if (!exists(entry)) {
        // Gone since the directory was read: read it again, once.
        m_listings.erase(dir);
        if (!matchEntry(dir, name, match))
            return false;
        entry = joined(dir, match);
    }
    out = std::move(entry);
    return true;
}

QFileInfo PathResolver::lookup(std::string_view logPath)
{
    if (!find(logPath, m_found))
        return QFileInfo();
    return QFileInfo(toLocal(m_found));
}

std::optional<PathResolver::Located> PathResolver::locate(std::string_view logPath)
{
    Located found;
    if (!find(logPath, found.path))
        return std::nullopt;
    // A local path that a log names directly may lie in a mapped folder too.
    if (StoreFiles::liesBelow(m_root, found.path))
        found.root = m_root;
    else if (std::optional<std::string> folder = m_mappings.folderHolding(found.path))
        found.root = std::move(*folder);
    return found;
}

QString PathResolver::resolve(std::string_view logPath)
{
    const QFileInfo entry = lookup(logPath);
    return entry.exists() ? entry.filePath() : QString();
}

void PathResolver::setBaseDirectory(const QString& folder)
{
    m_base = folder;
    m_baseBytes.clear();
    if (!folder.isEmpty())
        m_baseBytes = QFile::encodeName(QDir::cleanPath(QDir::current().absoluteFilePath(folder))).toStdString();
}

void PathResolver::clear()
{
    m_directories.clear();
    m_missing.clear();
    m_listings.clear();
}

bool PathResolver::resolveDirectory(std::string_view dir, std::string& local)
{
    const std::string key(dir);
    if (auto it = m_directories.find(key); it != m_directories.end()) {
        if (isDirectory(it->second)) {
            local = it->second;
            return true;
        }
        m_directories.erase(it);
    }
    // Logs read away from their post office name many directories that are
    // not here; a name can only appear by changing the directory above it.
    if (auto it = m_missing.find(key); it != m_missing.end()) {
        if (modifiedTime(it->second.ancestor) == it->second.modified)
            return false;
        m_missing.erase(it);
    }

    // The root is everything up to the first "/": "/" here, "C:/" on Windows.
    const std::size_t rootEnd = dir.find('/');
    local.assign(dir.substr(0, rootEnd + 1));
    const std::size_t rootSize = local.size();
    std::string_view rest = dir.substr(rootEnd + 1);
    std::string match;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('/'), rest.size());
        const std::string_view part = rest.substr(0, end);
        rest = rest.substr(end == rest.size() ? end : end + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            const std::size_t last = local.rfind('/');
            local.resize(last < rootSize ? rootSize : last);
            continue;
        }
        std::string next = joined(local, part);
        if (isDirectory(next)) {
            local = std::move(next);
            continue;
        }
        if (!matchEntry(local, part, match)) {
            const Listing& above = m_listings[local];
            if (above.trusted) {
                if (m_missing.size() >= maxDirectories)
                    m_missing.clear();
                m_missing[key] = Missing{local, above.modified};
            }
            return false;
        }
        local = joined(local, match);
    }

    if (m_directories.size() >= maxDirectories)
        m_directories.clear();
    m_directories.emplace(key, local);
    return true;
}

bool PathResolver::matchEntry(const std::string& local, std::string_view name, std::string& match)
{
    const Listing& entries = listing(local);
    const auto it = std::lower_bound(entries.names.begin(), entries.names.end(), name,
                                     [](const std::string& entry, std::string_view n) { return foldCompare(entry, n) < 0; });
    if (it == entries.names.end() || foldCompare(*it, name) != 0)
        return false;
    match = *it;
    return true;
}

const PathResolver::Listing& PathResolver::listing(const std::string& local)
{
    const std::optional<fs::file_time_type> modified = modifiedTime(local);
    auto it = m_listings.find(local);
    if (it != m_listings.end() && it->second.trusted && it->second.modified == modified)
        return it->second;
    if (it == m_listings.end()) {
        if (m_listings.size() >= maxListings)
            m_listings.clear();
        it = m_listings.emplace(local, Listing()).first;
    }
    Listing& entries = it->second;
    entries.modified = modified;
    entries.trusted = !modified || fs::file_time_type::clock::now() - *modified >= racy;
    entries.names.clear();
    std::error_code ec;
    for (fs::directory_iterator e(fs::path(local), ec), last; !ec && e != last; e.increment(ec))
        entries.names.push_back(e->path().filename().string());
    std::sort(entries.names.begin(), entries.names.end(), foldedLess);
    return entries;
}

} // namespace bw
