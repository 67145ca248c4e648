#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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
        // One decimal; empty when the old total is 0 or missing.
        std::string changePercent() const;
    };

    // Where each user of a run lies in its list, by name and FID: open
    // addressing over the keys' hashes, so that a look-up reads one slot
    // and, on a match, the user itself.
    class UserIndex {
    public:
        // The user's place, or nothing.
        std::optional<std::size_t> find(const std::vector<User>& users, std::string_view name, std::string_view fid) const;
        // The user's place, added at users.size() when new (the caller adds it).
        std::size_t insert(const std::vector<User>& users, std::string_view name, std::string_view fid, bool& added);
        // Room for about this many users without growing.
        void reserve(std::size_t users);

    private:
        struct Slot {
            std::uint64_t hash = 0;
            std::uint64_t place = 0; // the user's place + 1; 0 is empty
        };
        static std::uint64_t hashOf(std::string_view name, std::string_view fid);
        void grow();

        std::vector<Slot> m_slots;
        std::size_t m_count = 0;
    };

    // One log's users, by name and FID, in the order first seen.
    struct Run {
        std::vector<User> users; // name, fid and newTotal filled in
        UserIndex index;
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

    static const char* stateName(State state);
    static QStringList columnNames();
    // The users' values as text, in the order of columnNames().
    static std::vector<std::string> values(const User& user);
    // The same, tab-separated, added to out.
    static void appendTsv(const User& user, std::string& out);
};

} // namespace bw
