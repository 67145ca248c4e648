#include "session/ContentsComparison.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "session/KindProfile.h"
#include "session/ScanSession.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace bw {

namespace {

// A scan with no one to ask: its failure is the only message it gives.
class QuietPrompter : public Prompter {
public:
    QString failure;
    void message(const QString& text) override { failure = text; }
    void error(const QString& text) override { failure = text; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> textInput(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool askYesNo(const QString&, const QString&) override { return false; }
};

void take(const RowStore& rows, ContentsComparison::Run& run)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows.at(i);
        const std::string_view fid = row.column(1 + ContentsRow::UserFid);
        const std::optional<std::int64_t> total = readInt64(trim(row.column(1 + ContentsRow::TotalSize)));
        bool added = false;
        const std::size_t place = run.index.insert(run.users, row.caption, fid, added);
        if (added) {
            ContentsComparison::User user;
            user.name = row.caption;
            user.fid = fid;
            run.users.push_back(std::move(user));
        }
        run.users[place].newTotal = total;
    }
}

int compareNames(const ContentsComparison::User& a, const ContentsComparison::User& b)
{
    if (const int c = foldCompare(a.name, b.name))
        return c;
    if (const int c = a.name.compare(b.name))
        return c;
    return a.fid.compare(b.fid);
}

} // namespace

std::optional<std::int64_t> ContentsComparison::User::change() const
{
    if (!oldTotal || !newTotal)
        return std::nullopt;
    return *newTotal - *oldTotal;
}

std::string ContentsComparison::User::changePercent() const
{
    const auto c = change();
    if (!c || *oldTotal == 0)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", 100.0 * static_cast<double>(*c) / static_cast<double>(*oldTotal));
    return text;
}

std::uint64_t ContentsComparison::UserIndex::hashOf(std::string_view name, std::string_view fid)
{
    const std::uint64_t h = std::hash<std::string_view>{}(name) ^ (std::hash<std::string_view>{}(fid) * 0x9E3779B97F4A7C15ULL);
    return h == 0 ? 1 : h;
}

std::optional<std::size_t> ContentsComparison::UserIndex::find(const std::vector<User>& users, std::string_view name,
                                                               std::string_view fid) const
{
    if (m_slots.empty())
        return std::nullopt;
    const std::uint64_t hash = hashOf(name, fid);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t k = hash & mask;; k = (k + 1) & mask) {
        const Slot& slot = m_slots[k];
        if (slot.place == 0)
            return std::nullopt;
        if (slot.hash == hash) {
            const User& u = users[slot.place - 1];
            if (u.name == name && u.fid == fid)
                return slot.place - 1;
        }
    }
}

std::size_t ContentsComparison::UserIndex::insert(const std::vector<User>& users, std::string_view name,
                                                  std::string_view fid, bool& added)
{
    if (2 * (m_count + 1) > m_slots.size())
        grow();
    const std::uint64_t hash = hashOf(name, fid);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t k = hash & mask;; k = (k + 1) & mask) {
        Slot& slot = m_slots[k];
        if (slot.place == 0) {
            slot = {hash, users.size() + 1};
            ++m_count;
            added = true;
            return users.size();
        }
        if (slot.hash == hash) {
            const User& u = users[slot.place - 1];
            if (u.name == name && u.fid == fid) {
                added = false;
                return slot.place - 1;
            }
        }
    }
}

void ContentsComparison::UserIndex::reserve(std::size_t users)
{
    std::size_t size = 1024;
    while (size < 2 * users)
        size *= 2;
    if (size > m_slots.size() && m_count == 0)
        m_slots.assign(size, Slot());
}

void ContentsComparison::UserIndex::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(1024, old.size() * 2), Slot());
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.place == 0)
            continue;
        std::size_t k = slot.hash & mask;
        while (m_slots[k].place != 0)
            k = (k + 1) & mask;
        m_slots[k] = slot;
    }
}

bool ContentsComparison::readRun(const QByteArray& log, Run& run, QString& error,
                                 const std::function<bool(double)>& progress)
{
    QuietPrompter prompter;
    SortState sort;
    ScanSession session(kindProfile(ScanKind::Contents), sort, prompter);
    session.setSelfDriven(false);
    if (!session.chooseNative(log)) {
        error = prompter.failure;
        return false;
    }
    // A user takes a few hundred bytes of a log: room for them at once saves
    // growing the list and the index while the rows come.
    const qint64 size = QFileInfo(QFile::decodeName(log)).size();
    if (size > 0) {
        const auto users = static_cast<std::size_t>(size / 512);
        run.users.reserve(users);
        run.index.reserve(users);
    }
    QObject::connect(&session, &ScanSession::scanFinishing, [&] { take(session.rows(), run); });
    session.parse();
    while (session.scanRunning()) {
        if (session.step() == Scan::Outcome::Paused) {
            take(session.rows(), run);
            session.continueScan();
        }
        if (progress && !progress(session.progress())) {
            error.clear();
            return false;
        }
    }
    if (session.scan().failed()) {
        error = prompter.failure;
        return false;
    }
    run.total = 0;
    for (const User& user : run.users)
        run.total += user.newTotal.value_or(0);
    return true;
}

std::vector<ContentsComparison::User> ContentsComparison::compare(const Run& before, Run&& after, Order order,
                                                                  bool descending)
{
    // The newer run's list becomes the result, so that no second list of
    // every user is made.
    std::vector<User> users = std::move(after.users);
    users.reserve(users.size() + before.users.size());
    std::vector<bool> matched(before.users.size());
    for (User& user : users) {
        const auto place = before.index.find(before.users, user.name, user.fid);
        if (!place) {
            user.state = State::New;
        } else {
            user.oldTotal = before.users[*place].newTotal;
            matched[*place] = true;
        }
    }
    for (std::size_t i = 0; i < before.users.size(); ++i) {
        if (matched[i])
            continue;
        User user = before.users[i];
        user.oldTotal = user.newTotal;
        user.newTotal.reset();
        user.state = State::Gone;
        users.push_back(std::move(user));
    }
    sortUsers(users, order, descending);
    return users;
}

void ContentsComparison::sortUsers(std::vector<User>& users, Order order, bool descending)
{
    // Growth first by default; rows without a value come after all that have
    // one. The values are taken once, and the users moved once at the end.
    // The first sixteen bytes of the folded name (the parser keeps fewer of
    // a name) decide most comparisons of names without reading the names.
    struct Key {
        bool has;
        std::int64_t value;
        std::uint64_t prefix[2];
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(users.size());
    for (std::size_t i = 0; i < users.size(); ++i) {
        const auto v = order == Order::Change ? users[i].change() : order == Order::Total ? users[i].newTotal : std::nullopt;
        Key key{v.has_value(), v.value_or(0), {0, 0}, i};
        const std::string& name = users[i].name;
        for (std::size_t k = 0; k < 16; ++k) {
            const unsigned char c = k < name.size() ? static_cast<unsigned char>(name[k]) : 0;
            key.prefix[k / 8] = (key.prefix[k / 8] << 8) | (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        keys.push_back(key);
    }
    const auto byName = [&](const Key& a, const Key& b) {
        for (int k = 0; k < 2; ++k) {
            if (a.prefix[k] != b.prefix[k])
                return a.prefix[k] < b.prefix[k] ? -1 : 1;
        }
        return compareNames(users[a.index], users[b.index]);
    };
    const bool largestFirst = order == Order::Change ? !descending : descending;
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (order != Order::Name) {
            if (a.has != b.has)
                return a.has;
            if (a.value != b.value)
                return largestFirst ? a.value > b.value : a.value < b.value;
            return byName(a, b) < 0;
        }
        const int c = byName(a, b);
        return descending ? c > 0 : c < 0;
    });
    // The users put in that order where they are, a cycle at a time.
    std::vector<std::size_t> from(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        from[i] = keys[i].index;
    keys = {};
    for (std::size_t start = 0; start < from.size(); ++start) {
        if (from[start] == start)
            continue;
        User held = std::move(users[start]);
        std::size_t i = start;
        while (from[i] != start) {
            users[i] = std::move(users[from[i]]);
            const std::size_t next = from[i];
            from[i] = i;
            i = next;
        }
        users[i] = std::move(held);
        from[i] = i;
    }
}

const char* ContentsComparison::stateName(State state)
{
    switch (state) {
    case State::Both:
        return "both";
    case State::New:
        return "new";
    case State::Gone:
        return "gone";
    }
    return "";
}

QStringList ContentsComparison::columnNames()
{
    return {QStringLiteral("User Name"), QStringLiteral("User FID"),       QStringLiteral("Old Total Size"),
            QStringLiteral("New Total Size"), QStringLiteral("Change"), QStringLiteral("Change %"),
            QStringLiteral("State")};
}

void ContentsComparison::appendTsv(const User& user, std::string& out)
{
    const auto number = [&out](const std::optional<std::int64_t>& v) {
        out += '\t';
        if (v)
            out += std::to_string(*v);
    };
    out += user.name;
    out += '\t';
    out += user.fid;
    number(user.oldTotal);
    number(user.newTotal);
    number(user.change());
    out += '\t';
    out += user.changePercent();
    out += '\t';
    out += stateName(user.state);
}

std::vector<std::string> ContentsComparison::values(const User& user)
{
    const auto number = [](const std::optional<std::int64_t>& v) { return v ? std::to_string(*v) : std::string(); };
    return {user.name,
            user.fid,
            number(user.oldTotal),
            number(user.newTotal),
            number(user.change()),
            user.changePercent(),
            stateName(user.state)};
}

} // namespace bw
