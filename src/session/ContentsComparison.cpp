#include "session/ContentsComparison.h"

#include "base/Prefetch.h"
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
#include <charconv>
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

} // namespace

// Rows in list order lie scattered in memory: a few rows ahead, the row is
// asked for, then its text, so that the waits overlap.
void ContentsComparison::takeRows(const RowStore& rows, Users& users)
{
    constexpr std::size_t ahead = 8;
    const std::size_t count = rows.size();
    for (std::size_t i = 0; i < std::min(count, 2 * ahead); ++i)
        prefetch(&rows.at(i), sizeof(Row));
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 * ahead < count)
            prefetch(&rows.at(i + 2 * ahead), sizeof(Row));
        if (i + ahead < count) {
            const std::string_view text = rows.at(i + ahead).subItemsJoined();
            prefetch(text.data(), text.size());
        }
        const Row& row = rows.at(i);
        const std::optional<std::int64_t> total = readInt64(trim(row.column(1 + ContentsRow::TotalSize)));
        Users::Entry& user = users.add(row.caption, row.column(1 + ContentsRow::UserFid));
        user.hasNew = total.has_value();
        user.newTotal = total.value_or(0);
    }
}

namespace {

// Totals are read from the log as they stand: a difference too large for 64
// bits wraps instead of being undefined.
std::int64_t difference(std::int64_t a, std::int64_t b)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

int compareNames(std::string_view aName, std::string_view aFid, std::string_view bName, std::string_view bFid)
{
    if (const int c = foldCompare(aName, bName))
        return c;
    if (const int c = aName.compare(bName))
        return c;
    return aFid.compare(bFid);
}

} // namespace

ContentsComparison::User ContentsComparison::Users::operator[](std::size_t index) const
{
    const Entry& e = m_entries[index];
    User user;
    user.name = nameOf(e);
    user.fid = fidOf(e);
    if (e.hasOld)
        user.oldTotal = e.oldTotal;
    if (e.hasNew)
        user.newTotal = e.newTotal;
    user.state = static_cast<State>(e.state);
    return user;
}

ContentsComparison::Users::Entry& ContentsComparison::Users::add(std::string_view name, std::string_view fid)
{
    static_assert(sizeof(Entry) == 32, "a user in 32 bytes");
    Entry& e = m_entries.emplace_back();
    e.at = m_text.size();
    e.nameSize = static_cast<std::uint32_t>(name.size());
    e.fidSize = static_cast<std::uint32_t>(fid.size());
    m_text += name;
    m_text += fid;
    return e;
}

std::optional<std::int64_t> ContentsComparison::User::change() const
{
    if (!oldTotal || !newTotal)
        return std::nullopt;
    return difference(*newTotal, *oldTotal);
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

bool ContentsComparison::readRun(const QByteArray& log, Run& run, QString& error,
                                 const std::function<bool(double)>& progress)
{
    // The scan's own memory is let go before the users are sorted.
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
        // growing the list while the rows come.
        const qint64 size = QFileInfo(QFile::decodeName(log)).size();
        if (size > 0) {
            const auto users = static_cast<std::size_t>(size / 512);
            run.users.m_entries.reserve(users);
            run.users.m_text.reserve(users * 16);
        }
        QObject::connect(&session, &ScanSession::scanFinishing, [&] { takeRows(session.rows(), run.users); });
        session.parse();
        while (session.scanRunning()) {
            if (session.step() == Scan::Outcome::Paused) {
                takeRows(session.rows(), run.users);
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
    }
    orderByName(run.users, true);
    run.total = 0;
    for (const Users::Entry& user : run.users.m_entries)
        run.total += user.newTotal;
    return true;
}

ContentsComparison::Users ContentsComparison::compare(const Run& before, Run&& after, Order order, bool descending)
{
    // Both lists are in name order: one pass over both pairs them. The newer
    // run's text becomes the result's, the gone users' names added to it.
    const Users& old = before.users;
    std::vector<Users::Entry> now = std::move(after.users.m_entries);
    Users users;
    users.m_text = std::move(after.users.m_text);
    after.users = Users();
    users.m_text.reserve(users.m_text.size() + old.m_text.size());
    users.m_entries.reserve(now.size() + old.size());
    std::size_t i = 0, j = 0;
    while (i < old.size() || j < now.size()) {
        const int c = i == old.size()   ? 1
                      : j == now.size() ? -1
                                        : compareNames(old.nameOf(old.m_entries[i]), old.fidOf(old.m_entries[i]),
                                                       users.nameOf(now[j]), users.fidOf(now[j]));
        if (c < 0) {
            const Users::Entry& o = old.m_entries[i++];
            Users::Entry& user = users.add(old.nameOf(o), old.fidOf(o));
            user.hasOld = o.hasNew;
            user.oldTotal = o.newTotal;
            user.state = static_cast<std::uint8_t>(State::Gone);
            continue;
        }
        Users::Entry& user = users.m_entries.emplace_back(now[j++]);
        user.state = static_cast<std::uint8_t>(c == 0 ? State::Both : State::New);
        if (c == 0) {
            const Users::Entry& o = old.m_entries[i++];
            user.hasOld = o.hasNew;
            user.oldTotal = o.newTotal;
        }
    }
    now = {};
    orderByValue(users, order, descending);
    return users;
}

void ContentsComparison::sortUsers(Users& users, Order order, bool descending)
{
    orderByName(users, false);
    orderByValue(users, order, descending);
}

void ContentsComparison::orderByName(Users& users, bool oneRun)
{
    // The keys hold, for names of up to sixteen bytes and FIDs of up to eight
    // with no zero byte (the parser keeps no longer ones), everything that
    // orders them and spells them: the folded name, which of its letters are
    // small ones (between names equal when folded, the one with the first
    // small letter comes last) and the FID. Only other names are read from
    // the text. Equal users stay in the order added. A run's users have a new
    // total only, which the key carries too: then the list is rebuilt from
    // the keys alone, in order, and the old one let go before.
    struct Key {
        std::uint64_t name[2];
        std::uint64_t fid;
        std::int64_t total;
        std::uint64_t index : 46;
        std::uint64_t small : 16;
        std::uint64_t whole : 1;
        std::uint64_t hasTotal : 1;
    };
    // The keys are grouped by the name's first folded byte as they are made,
    // counted first, so that each group is sorted in the cache.
    const auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    const auto groupOf = [&](const Users::Entry& e) {
        return e.nameSize == 0 ? 0 : fold(static_cast<unsigned char>(users.m_text[e.at]));
    };
    const std::size_t count = users.size();
    std::vector<std::size_t> groups(256 + 1);
    for (const Users::Entry& e : users.m_entries)
        ++groups[groupOf(e) + 1];
    for (std::size_t g = 1; g < groups.size(); ++g)
        groups[g] += groups[g - 1];
    std::vector<std::size_t> next(groups.begin(), groups.end() - 1);
    std::vector<Key> keys(count);
    bool allWhole = true;
    for (std::size_t i = 0; i < count; ++i) {
        const Users::Entry& e = users.m_entries[i];
        const std::string_view name = users.nameOf(e), fid = users.fidOf(e);
        Key key = {};
        bool whole = name.size() <= 16 && fid.size() <= 8;
        std::uint64_t small = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            const unsigned char c = k < name.size() ? static_cast<unsigned char>(name[k]) : 0;
            key.name[k / 8] = (key.name[k / 8] << 8) | static_cast<unsigned char>(fold(c));
            small = (small << 1) | (fold(c) != c ? 1 : 0);
            whole = whole && (k >= name.size() || c != 0);
        }
        for (std::size_t k = 0; k < 8; ++k) {
            const unsigned char c = k < fid.size() ? static_cast<unsigned char>(fid[k]) : 0;
            key.fid = (key.fid << 8) | c;
            whole = whole && (k >= fid.size() || c != 0);
        }
        key.total = e.newTotal;
        key.hasTotal = e.hasNew;
        key.index = i;
        key.small = small;
        key.whole = whole ? 1 : 0;
        allWhole = allWhole && whole;
        keys[next[groupOf(e)]++] = key;
    }
    const auto byName = [&](const Key& a, const Key& b) {
        for (int k = 0; k < 2; ++k) {
            if (a.name[k] != b.name[k])
                return a.name[k] < b.name[k] ? -1 : 1;
        }
        if (a.whole && b.whole) {
            if (a.small != b.small)
                return a.small < b.small ? -1 : 1;
            return a.fid < b.fid ? -1 : a.fid > b.fid ? 1 : 0;
        }
        const Users::Entry& ea = users.m_entries[a.index];
        const Users::Entry& eb = users.m_entries[b.index];
        return compareNames(users.nameOf(ea), users.fidOf(ea), users.nameOf(eb), users.fidOf(eb));
    };
    for (std::size_t g = 0; g + 1 < groups.size(); ++g) {
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(groups[g]),
                  keys.begin() + static_cast<std::ptrdiff_t>(groups[g + 1]), [&](const Key& a, const Key& b) {
                      const int c = byName(a, b);
                      return c != 0 ? c < 0 : a.index < b.index;
                  });
    }
    // The users and their text laid out anew in that order, so that whoever
    // reads them in order reads memory in order; of a run's users equal in
    // name and FID, the last added.
    const bool fromKeys = oneRun && allWhole;
    Users sorted;
    sorted.m_text.reserve(users.m_text.size());
    sorted.m_entries.reserve(count);
    if (fromKeys)
        users = Users();
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        const Key& key = keys[i];
        if (oneRun && i + 1 < count && byName(key, keys[i + 1]) == 0)
            continue;
        if (!fromKeys) {
            if (i + 2 * ahead < count)
                prefetch(&users.m_entries[keys[i + 2 * ahead].index]);
            if (i + ahead < count)
                prefetch(users.m_text.data() + users.m_entries[keys[i + ahead].index].at);
            const Users::Entry& e = users.m_entries[key.index];
            Users::Entry& user = sorted.add(users.nameOf(e), users.fidOf(e));
            const std::uint64_t at = user.at;
            user = e;
            user.at = at;
            continue;
        }
        char bytes[24];
        std::size_t nameSize = 0, fidSize = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            const auto c = static_cast<unsigned char>(key.name[k / 8] >> (56 - 8 * (k % 8)));
            if (c == 0)
                break;
            bytes[nameSize++] = static_cast<char>((key.small >> (15 - k)) & 1 ? c - 'A' + 'a' : c);
        }
        for (std::size_t k = 0; k < 8; ++k) {
            const auto c = static_cast<unsigned char>(key.fid >> (56 - 8 * k));
            if (c == 0)
                break;
            bytes[nameSize + fidSize++] = static_cast<char>(c);
        }
        Users::Entry& user = sorted.add({bytes, nameSize}, {bytes + nameSize, fidSize});
        user.hasNew = key.hasTotal;
        user.newTotal = key.total;
    }
    keys = {};
    users = std::move(sorted);
}

void ContentsComparison::orderByValue(Users& users, Order order, bool descending)
{
    if (order == Order::Name) {
        if (descending)
            std::reverse(users.m_entries.begin(), users.m_entries.end());
        return;
    }
    // Growth first by default; users without a value come after all that
    // have one, and equal values stay in name order. A value is kept as an
    // unsigned number that orders as the value is to be ordered.
    const bool largestFirst = order == Order::Change ? !descending : descending;
    const auto valueOf = [&](const Users::Entry& e) -> std::optional<std::uint64_t> {
        const bool has = order == Order::Change ? e.hasOld && e.hasNew : e.hasNew;
        if (!has)
            return std::nullopt;
        const std::int64_t v = order == Order::Change ? difference(e.newTotal, e.oldTotal) : e.newTotal;
        const std::uint64_t u = static_cast<std::uint64_t>(v) ^ (std::uint64_t(1) << 63);
        return largestFirst ? ~u : u;
    };
    struct Key {
        std::uint64_t value;
        std::uint64_t index;
    };
    std::vector<Key> keys;
    for (std::size_t i = 0; i < users.size(); ++i) {
        if (const auto v = valueOf(users.m_entries[i]))
            keys.push_back({*v, i});
    }
    std::sort(keys.begin(), keys.end(),
              [](const Key& a, const Key& b) { return a.value != b.value ? a.value < b.value : a.index < b.index; });
    // The users with a value are set aside in their order; the others move
    // to the back, in theirs, and the first take the front.
    std::vector<Users::Entry> valued;
    valued.reserve(keys.size());
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i + ahead < keys.size())
            prefetch(&users.m_entries[keys[i + ahead].index]);
        valued.push_back(users.m_entries[keys[i].index]);
    }
    keys = {};
    std::vector<Users::Entry>& entries = users.m_entries;
    std::size_t to = entries.size();
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (!valueOf(entries[i]))
            entries[--to] = entries[i];
    }
    std::copy(valued.begin(), valued.end(), entries.begin());
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
        if (v) {
            char digits[24];
            out.append(digits, std::to_chars(digits, digits + sizeof digits, *v).ptr);
        }
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
    return {std::string(user.name),
            std::string(user.fid),
            number(user.oldTotal),
            number(user.newTotal),
            number(user.change()),
            user.changePercent(),
            stateName(user.state)};
}

} // namespace bw
