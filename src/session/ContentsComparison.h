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

class RowStore;

// Two runs of the contents check compared: who grew, who is new, who is
// gone. Each log is scanned as the Contents tab scans it, every section to
// the end; a user is keyed by name and FID, and a user listed twice in one
// log counts with its last row. Each log's users are put in name order as it
// is read, and the two lists are joined in one pass over both.
class ContentsComparison {
public:
    enum class State : std::uint8_t { Both, New, Gone };
    enum class Order { Change, Name, Total };

    // One user: the name and FID are views of its list's text, valid while
    // the list lives unchanged.
    struct User {
        std::string_view name;
        std::string_view fid;
        std::optional<std::int64_t> oldTotal; // missing, or not an integer
        std::optional<std::int64_t> newTotal;
        State state = State::Both;

        std::optional<std::int64_t> change() const;
        // One decimal; empty when the old total is 0 or missing.
        std::string changePercent() const;
    };

    // A list of users held compactly, as millions of them are: every name
    // and FID in one text, and a user's place in it with its totals in 32
    // bytes.
    class Users {
    public:
        class Iterator {
        public:
            Iterator(const Users* users, std::size_t at)
                : m_users(users)
                , m_at(at)
            {
            }
            User operator*() const { return (*m_users)[m_at]; }
            Iterator& operator++()
            {
                ++m_at;
                return *this;
            }
            bool operator==(const Iterator& other) const { return m_at == other.m_at; }

        private:
            const Users* m_users;
            std::size_t m_at;
        };

        std::size_t size() const { return m_entries.size(); }
        bool empty() const { return m_entries.empty(); }
        User operator[](std::size_t index) const;
        Iterator begin() const { return {this, 0}; }
        Iterator end() const { return {this, m_entries.size()}; }

    private:
        friend class ContentsComparison;
        struct Entry {
            std::uint64_t at : 59; // the name's first byte in m_text, the FID right after it
            std::uint64_t hasOld : 1;
            std::uint64_t hasNew : 1;
            std::uint64_t state : 2;
            std::uint32_t nameSize;
            std::uint32_t fidSize;
            std::int64_t oldTotal;
            std::int64_t newTotal;
        };
        std::string_view nameOf(const Entry& e) const { return {m_text.data() + e.at, e.nameSize}; }
        std::string_view fidOf(const Entry& e) const { return {m_text.data() + e.at + e.nameSize, e.fidSize}; }
        // A user with no totals, its name and FID added to the text.
        Entry& add(std::string_view name, std::string_view fid);

        std::vector<Entry> m_entries;
        std::string m_text;
    };

    // One log's users, in name order: each once, with the total of its last row.
    struct Run {
        Users users;
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
    static Users compare(const Run& before, Run&& after, Order order = Order::Change, bool descending = false);

    static void sortUsers(Users& users, Order order, bool descending);

    static const char* stateName(State state);
    static QStringList columnNames();
    // The users' values as text, in the order of columnNames().
    static std::vector<std::string> values(const User& user);
    // The same, tab-separated, added to out.
    static void appendTsv(const User& user, std::string& out);

private:
    // The rows' users added to users, as they come.
    static void takeRows(const RowStore& rows, Users& users);
    // Users in order by name, then FID. The users of one run have a new
    // total only; of those equal in name and FID, only the last added is kept.
    static void orderByName(Users& users, bool oneRun);
    // Users in name order put in the order asked for.
    static void orderByValue(Users& users, Order order, bool descending);
};

} // namespace bw
