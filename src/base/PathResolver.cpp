#include "base/PathResolver.h"

#include "base/Text.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace bw {

namespace {

// Enough for every area and subdirectory of a post office a scan walks.
constexpr std::size_t maxDirectories = 4096;
constexpr std::size_t maxListings = 256;
constexpr qint64 racyMsecs = 2000;

QString toLocal(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string fromLocal(const QString& path)
{
    return QFile::encodeName(path).toStdString();
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

QFileInfo PathResolver::lookup(std::string_view logPath)
{
    m_path.assign(logPath);
    std::replace(m_path.begin(), m_path.end(), '\\', '/');
    if (m_path.empty())
        return QFileInfo();
    QString path = toLocal(m_path);
    QFileInfo exact(path);
    if (exact.exists())
        return exact;

    if (QDir::isRelativePath(path)) {
        path = QDir::current().absoluteFilePath(path);
        m_path = fromLocal(path);
    }
    while (m_path.size() > 1 && m_path.back() == '/')
        m_path.pop_back();
    const std::size_t slash = m_path.rfind('/');
    if (slash == std::string::npos)
        return QFileInfo();
    const std::string_view all(m_path);
    const std::string_view name = all.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return QFileInfo();

    std::string dir;
    if (!resolveDirectory(all.substr(0, slash + 1), dir))
        return QFileInfo();
    QFileInfo entry(toLocal(joined(dir, name)));
    if (entry.exists())
        return entry;
    std::string match;
    if (!matchEntry(dir, name, match))
        return QFileInfo();
    entry = QFileInfo(toLocal(joined(dir, match)));
    if (!entry.exists()) {
        // Gone since the directory was read: read it again, once.
        m_listings.erase(dir);
        if (!matchEntry(dir, name, match))
            return QFileInfo();
        entry = QFileInfo(toLocal(joined(dir, match)));
    }
    return entry;
}

QString PathResolver::resolve(std::string_view logPath)
{
    const QFileInfo entry = lookup(logPath);
    return entry.exists() ? entry.filePath() : QString();
}

void PathResolver::clear()
{
    m_directories.clear();
    m_listings.clear();
}

bool PathResolver::resolveDirectory(std::string_view dir, std::string& local)
{
    const std::string key(dir);
    if (auto it = m_directories.find(key); it != m_directories.end()) {
        if (QFileInfo(toLocal(it->second)).isDir()) {
            local = it->second;
            return true;
        }
        m_directories.erase(it);
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
        if (QFileInfo(toLocal(next)).isDir()) {
            local = std::move(next);
            continue;
        }
        if (!matchEntry(local, part, match))
            return false;
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
    const QString path = toLocal(local);
    const QDateTime modified = QFileInfo(path).lastModified();
    auto it = m_listings.find(local);
    if (it != m_listings.end() && it->second.modified == modified)
        return it->second;
    if (it == m_listings.end()) {
        if (m_listings.size() >= maxListings)
            m_listings.clear();
        it = m_listings.emplace(local, Listing()).first;
    }
    Listing& entries = it->second;
    entries.modified = modified;
    entries.names.clear();
    const QStringList names =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    entries.names.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& n : names)
        entries.names.push_back(fromLocal(n));
    std::sort(entries.names.begin(), entries.names.end(), foldedLess);
    // A directory changed within the file system's time resolution may change
    // again without its time moving: such a listing is not trusted later.
    if (modified.isValid() && modified.msecsTo(QDateTime::currentDateTime()) < racyMsecs)
        entries.modified = QDateTime();
    return entries;
}

} // namespace bw
