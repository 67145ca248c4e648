#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace bw {

// Two runs of the contents check compared: who grew, who is new, who is
// gone. Each log is scanned as the Contents tab scans it, every section to
// the end; a user is keyed by name and FID, and a user listed twice in one
// log counts with its last row. The join is by hash, so its cost grows with
// the users, not their product.
class ContentsComparison {
public:
    enum class State { Both, New, Gone };
    enum class Order { Change, Name, Total };

    struct User {
        std::string name;
        std::string fid;
        std::optional<std::int64_t> oldTotal; // missing, or not an integer
        std::optional<std::int64_t> newTotal;
        State state = State::Both;

        std::optional<std::int64_t> change() const;
        // One decimal; nothing when the old total is 0 or missing.
        std::optional<QString> changePercent() const;
    };

    // One log's users, by name and FID, in the order first seen.
    struct Run {
        std::vector<User> users; // name, fid and newTotal filled in
        std::unordered_map<std::string, std::size_t> index;
        std::int64_t total = 0;
    };

    // Scans a log (the system's bytes for its name) to its end; the scan's
    // reason in error when it cannot be read. progress gets the share read
    // and returns whether to go on; stopped, the result is false with an
    // empty error.
    static bool readRun(const QByteArray& log, Run& run, QString& error,
                        const std::function<bool(double)>& progress = {});

    // Every user of either run, in the order asked for; ties by name, then FID.
    // after's users are moved out.
    static std::vector<User> compare(const Run& before, Run&& after, Order order = Order::Change,
                                     bool descending = false);

    static void sortUsers(std::vector<User>& users, Order order, bool descending);

    static QString stateName(State state);
    static QStringList columnNames();
    // The users' values as text, in the order of columnNames().
    static std::vector<std::string> values(const User& user);
    // The same, tab-separated, added to out.
    static void appendTsv(const User& user, std::string& out);
};

} // namespace bw
