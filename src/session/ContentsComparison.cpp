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

// Rows in list order lie scattered in memory, and each lands on a random
// slot of the index: a few rows ahead, the row is asked for, then its text,
// then its slot, so that the waits overlap.
void ContentsComparison::takeRows(const RowStore& rows, Run& run)
{
    using Index = UserIndex;
    constexpr std::size_t ahead = 8;
    const std::size_t count = rows.size();
    std::uint64_t hashes[ahead] = {};
    const auto hashRow = [&](std::size_t i) {
        const Row& row = rows.at(i);
        const std::uint64_t hash = Index::hashOf(row.caption, row.column(1 + ContentsRow::UserFid));
        run.index.prefetch(hash);
        hashes[i % ahead] = hash;
    };
    for (std::size_t i = 0; i < std::min(count, 3 * ahead); ++i)
        prefetch(&rows.at(i), sizeof(Row));
    for (std::size_t i = 0; i < std::min(count, ahead); ++i)
        hashRow(i);
    for (std::size_t i = 0; i < count; ++i) {
        const Row& row = rows.at(i);
        const std::string_view fid = row.column(1 + ContentsRow::UserFid);
        const std::optional<std::int64_t> total = readInt64(trim(row.column(1 + ContentsRow::TotalSize)));
        const std::uint64_t hash = hashes[i % ahead];
        if (i + 3 * ahead < count)
            prefetch(&rows.at(i + 3 * ahead), sizeof(Row));
        if (i + 2 * ahead < count) {
            const std::string_view text = rows.at(i + 2 * ahead).subItemsJoined();
            prefetch(text.data(), text.size());
        }
        if (i + ahead < count)
            hashRow(i + ahead);
        bool added = false;
        const std::size_t place = run.index.insert(run.users, hash, row.caption, fid, added);
        auto& user = added ? run.users.add(row.caption, fid) : run.users.m_entries[place];
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

std::uint64_t ContentsComparison::UserIndex::hashOf(std::string_view name, std::string_view fid)
{
    const std::uint64_t h = std::hash<std::string_view>{}(name) ^ (std::hash<std::string_view>{}(fid) * 0x9E3779B97F4A7C15ULL);
    return h == 0 ? 1 : h;
}

void ContentsComparison::UserIndex::prefetch(std::uint64_t hash) const
{
    if (!m_slots.empty())
        bw::prefetch(&m_slots[hash & (m_slots.size() - 1)]);
}

std::optional<std::size_t> ContentsComparison::UserIndex::find(const Users& users, std::uint64_t hash,
                                                               std::string_view name, std::string_view fid) const
{
    if (m_slots.empty())
        return std::nullopt;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t k = hash & mask;; k = (k + 1) & mask) {
        const Slot& slot = m_slots[k];
        if (slot.place == 0)
            return std::nullopt;
        if (slot.hash == hash) {
            const Users::Entry& u = users.m_entries[slot.place - 1];
            if (users.nameOf(u) == name && users.fidOf(u) == fid)
                return slot.place - 1;
        }
    }
}

std::size_t ContentsComparison::UserIndex::insert(const Users& users, std::uint64_t hash, std::string_view name,
                                                  std::string_view fid, bool& added)
{
    if (2 * (m_count + 1) > m_slots.size())
        grow();
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
            const Users::Entry& u = users.m_entries[slot.place - 1];
            if (users.nameOf(u) == name && users.fidOf(u) == fid) {
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
        run.users.m_entries.reserve(users);
        run.users.m_text.reserve(users * 16);
        run.index.reserve(users);
    }
    QObject::connect(&session, &ScanSession::scanFinishing, [&] { takeRows(session.rows(), run); });
    session.parse();
    while (session.scanRunning()) {
        if (session.step() == Scan::Outcome::Paused) {
            takeRows(session.rows(), run);
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
    for (const Users::Entry& user : run.users.m_entries)
        run.total += user.newTotal;
    return true;
}

ContentsComparison::Users ContentsComparison::compare(const Run& before, Run&& after, Order order, bool descending)
{
    // The newer run's list becomes the result, so that no second list of
    // every user is made; its index is not needed any more.
    Users users = std::move(after.users);
    after.index = UserIndex();
    std::vector<bool> matched(before.users.size());
    std::size_t gone = before.users.size();
    // Each look-up lands on a random slot: its hash is taken a few users ahead.
    constexpr std::size_t ahead = 8;
    const std::size_t count = users.size();
    std::uint64_t hashes[ahead] = {};
    const auto hashUser = [&](std::size_t i) {
        const Users::Entry& e = users.m_entries[i];
        const std::uint64_t hash = UserIndex::hashOf(users.nameOf(e), users.fidOf(e));
        before.index.prefetch(hash);
        hashes[i % ahead] = hash;
    };
    for (std::size_t i = 0; i < std::min(count, ahead); ++i)
        hashUser(i);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t hash = hashes[i % ahead];
        if (i + ahead < count)
            hashUser(i + ahead);
        Users::Entry& user = users.m_entries[i];
        const auto place = before.index.find(before.users, hash, users.nameOf(user), users.fidOf(user));
        if (!place) {
            user.state = static_cast<std::uint8_t>(State::New);
        } else {
            const Users::Entry& old = before.users.m_entries[*place];
            user.hasOld = old.hasNew;
            user.oldTotal = old.newTotal;
            user.state = static_cast<std::uint8_t>(State::Both);
            if (!matched[*place]) {
                matched[*place] = true;
                --gone;
            }
        }
    }
    users.m_entries.reserve(users.size() + gone);
    for (std::size_t i = 0; i < before.users.size(); ++i) {
        if (matched[i])
            continue;
        const Users::Entry& old = before.users.m_entries[i];
        Users::Entry& user = users.add(before.users.nameOf(old), before.users.fidOf(old));
        user.hasOld = old.hasNew;
        user.oldTotal = old.newTotal;
        user.state = static_cast<std::uint8_t>(State::Gone);
    }
    sortUsers(users, order, descending);
    return users;
}

void ContentsComparison::sortUsers(Users& users, Order order, bool descending)
{
    // Growth first by default; rows without a value come after all that have
    // one. The keys hold the value and, for names of up to sixteen bytes and
    // FIDs of up to eight (the parser keeps no longer ones), everything that
    // orders them: the folded name, which of its letters are small ones
    // (between names equal when folded, the one with the first small letter
    // comes last) and the FID. Only other names are read from the text.
    struct Key {
        std::uint64_t value;
        std::uint64_t name[2];
        std::uint64_t fid;
        std::uint64_t index : 47;
        std::uint64_t small : 16;
        std::uint64_t whole : 1;
    };
    const bool largestFirst = order == Order::Change ? !descending : descending;
    std::vector<Key> keys(users.size());
    std::size_t valued = 0; // keys with a value first, then the others
    std::size_t unvalued = users.size();
    for (std::size_t i = 0; i < users.size(); ++i) {
        const Users::Entry& e = users.m_entries[i];
        const bool has = order == Order::Change ? e.hasOld && e.hasNew : order == Order::Total && e.hasNew;
        const std::int64_t v = order == Order::Change ? difference(e.newTotal, e.oldTotal) : e.newTotal;
        Key key = {};
        if (has) {
            // The value's order as that of unsigned numbers.
            const std::uint64_t u = static_cast<std::uint64_t>(v) ^ (std::uint64_t(1) << 63);
            key.value = largestFirst ? ~u : u;
        }
        const std::string_view name = users.nameOf(e), fid = users.fidOf(e);
        bool whole = name.size() <= 16 && fid.size() <= 8;
        std::uint64_t small = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            const unsigned char c = k < name.size() ? static_cast<unsigned char>(name[k]) : 0;
            const bool lower = c >= 'a' && c <= 'z';
            key.name[k / 8] = (key.name[k / 8] << 8) | (lower ? c - 'a' + 'A' : c);
            small = (small << 1) | (lower ? 1 : 0);
            whole = whole && (k >= name.size() || c != 0);
        }
        for (std::size_t k = 0; k < 8; ++k) {
            const unsigned char c = k < fid.size() ? static_cast<unsigned char>(fid[k]) : 0;
            key.fid = (key.fid << 8) | c;
            whole = whole && (k >= fid.size() || c != 0);
        }
        key.index = i;
        key.small = small;
        key.whole = whole ? 1 : 0;
        keys[has ? valued++ : --unvalued] = key;
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
    if (order == Order::Name) {
        std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
            const int c = byName(a, b);
            return descending ? c > 0 : c < 0;
        });
    } else {
        std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(valued), [&](const Key& a, const Key& b) {
            if (a.value != b.value)
                return a.value < b.value;
            return byName(a, b) < 0;
        });
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(valued), keys.end(),
                  [&](const Key& a, const Key& b) { return byName(a, b) < 0; });
    }
    std::vector<std::size_t> from(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        from[i] = keys[i].index;
    keys = {};
    // The users and their text laid out anew in that order, so that whoever
    // reads them in order reads memory in order.
    constexpr std::size_t ahead = 8;
    std::vector<Users::Entry> entries;
    entries.reserve(from.size());
    std::string text;
    text.reserve(users.m_text.size());
    const std::size_t count = from.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 2 * ahead < count)
            prefetch(&users.m_entries[from[i + 2 * ahead]]);
        if (i + ahead < count)
            prefetch(users.m_text.data() + users.m_entries[from[i + ahead]].at);
        Users::Entry e = users.m_entries[from[i]];
        const std::size_t size = std::size_t(e.nameSize) + e.fidSize;
        text.append(users.m_text, e.at, size);
        e.at = text.size() - size;
        entries.push_back(e);
    }
    users.m_entries = std::move(entries);
    users.m_text = std::move(text);
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
