#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// A log's path prefix (as the mail server wrote it) and the local folder
// where that store is mounted here.
struct PathMapping {
    QString prefix;
    QString folder;

    bool operator==(const PathMapping&) const = default;
};

// The user's prefix mappings. A prefix matches whole components of a log
// path, a to z compared without regard to case and "\" and "/" alike;
// "\\SRV\MAIL" matches "\\srv\mail\PO1\X.DB" but not "\\SRV\MAILX\X.DB".
// Where several match, the longest wins.
class PathMappings {
public:
    PathMappings() = default;
    explicit PathMappings(const std::vector<PathMapping>& entries);

    const std::vector<PathMapping>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }

    // The local path ("/" separators) for a path under one of the prefixes;
    // nothing when none matches. folder, when given, gets the matching
    // mapping's local folder.
    std::optional<std::string> apply(std::string_view logPath, std::string* folder = nullptr) const;

    // The server form of a local path: the prefix of the mapping whose
    // folder holds it or is it (the longest folder wins), then the rest of
    // the path with "\" separators; nothing when no folder holds it.
    std::optional<std::string> serverForm(const std::string& local) const;

    // The longest mapped folder that local (a local path) lies below, or
    // nothing.
    std::optional<std::string> folderHolding(const std::string& local) const;

    // "PREFIX=FOLDER" as the command line gives it (the first "=" splits: log
    // prefixes hold none); nothing when either side is empty or the
    // prefix names no component.
    static std::optional<PathMapping> parse(const QString& text);
    // Whether a prefix names at least one component.
    static bool validPrefix(const QString& prefix);

    bool operator==(const PathMappings& other) const { return m_entries == other.m_entries; }

private:
    struct Compiled {
        int leading = 0; // separators before the first component, at most 2
        std::vector<std::string> components;
        std::string folder;
    };

    std::vector<PathMapping> m_entries;
    std::vector<Compiled> m_compiled;
};

} // namespace bw
