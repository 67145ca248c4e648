#pragma once

#include "base/PathMappings.h"

#include <QFileInfo>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bw {

// Finds the local entry that a path written in a log names. The logs come
// from Windows: "\" separates as well as "/", and the letter case need not be
// the disk's. The exact path is tried first; only when it is missing is each
// component matched against its directory's entries with a to z folded. Drive
// letters and \\server\volume prefixes get no special meaning: they are looked
// up as written, so they match only where such entries exist.
//
// The user's prefix mappings apply first. Relative paths start at the base
// directory (the log's folder), or at the current directory when none is set.
class PathResolver {
public:
    void setMappings(const PathMappings& mappings) { m_mappings = mappings; }
    const PathMappings& mappings() const { return m_mappings; }
    // An empty folder: the current directory.
    void setBaseDirectory(const QString& folder);
    const QString& baseDirectory() const { return m_base; }

    // The entry that logPath names (file or directory, hidden ones too); a
    // QFileInfo whose exists() is false when there is none.
    QFileInfo lookup(std::string_view logPath);

    // The local path of that entry, or an empty text.
    QString resolve(std::string_view logPath);

    // The entry that logPath names, as the system's bytes (names that are no
    // text stay as they are), with the folder it was found from: the mapped
    // folder for a path under a mapping, otherwise the base directory. Only
    // below that folder may a file be changed; root is empty when the entry
    // lies outside it (an absolute path elsewhere).
    struct Located {
        std::string path;
        std::string root;
    };
    std::optional<Located> locate(std::string_view logPath);

    // Forgets the directories read so far (the mappings and the base stay).
    void clear();

private:
    struct Listing {
        std::optional<std::filesystem::file_time_type> modified;
        bool trusted = false; // not changed just before it was read
        std::vector<std::string> names; // ordered by folded text, then by bytes
    };
    // A log's directory that is not on disk, and the deepest directory of it
    // that is, as it was then.
    struct Missing {
        std::string ancestor;
        std::optional<std::filesystem::file_time_type> modified;
    };

    // The local path of the entry into out, and the folder it was found from.
    bool find(std::string_view logPath, std::string& out);
    // The local directory for a log's directory path (absolute, "/" only).
    bool resolveDirectory(std::string_view dir, std::string& local);
    // The name in directory local that matches name when a to z are folded.
    bool matchEntry(const std::string& local, std::string_view name, std::string& match);
    const Listing& listing(const std::string& local);

    PathMappings m_mappings;
    QString m_base;
    std::string m_baseBytes;
    std::string m_path;
    std::string m_root;
    std::string m_found;
    std::unordered_map<std::string, std::string> m_directories;
    std::unordered_map<std::string, Missing> m_missing;
    std::unordered_map<std::string, Listing> m_listings;
};

} // namespace bw
