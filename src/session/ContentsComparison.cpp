#include "session/ContentsComparison.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "session/KindProfile.h"
#include "session/ScanSession.h"

#include <QStringList>

#include <algorithm>

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

std::string keyOf(std::string_view name, std::string_view fid)
{
    std::string key(name);
    key += '\0';
    key += fid;
    return key;
}

void take(const RowStore& rows, ContentsComparison::Run& run)
{
    if (run.index.bucket_count() * run.index.max_load_factor() < run.index.size() + rows.size())
        run.index.reserve(2 * (run.index.size() + rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows.at(i);
        const std::string_view fid = row.column(1 + ContentsRow::UserFid);
        const std::optional<std::int64_t> total = readInt64(trim(row.column(1 + ContentsRow::TotalSize)));
        auto [it, added] = run.index.emplace(keyOf(row.caption, fid), run.users.size());
        if (added) {
            ContentsComparison::User user;
            user.name = row.caption;
            user.fid = fid;
            run.users.push_back(std::move(user));
        }
        run.users[it->second].newTotal = total;
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

std::optional<QString> ContentsComparison::User::changePercent() const
{
    const auto c = change();
    if (!c || *oldTotal == 0)
        return std::nullopt;
    return QString::number(100.0 * static_cast<double>(*c) / static_cast<double>(*oldTotal), 'f', 1);
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
    std::vector<User> users;
    users.reserve(after.users.size() + before.users.size());
    std::vector<bool> matched(before.users.size());
    for (User& now : after.users) {
        User user = std::move(now);
        const auto it = before.index.find(keyOf(user.name, user.fid));
        if (it == before.index.end()) {
            user.state = State::New;
        } else {
            user.oldTotal = before.users[it->second].newTotal;
            matched[it->second] = true;
        }
        users.push_back(std::move(user));
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
    struct Key {
        bool has;
        std::int64_t value;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(users.size());
    for (std::size_t i = 0; i < users.size(); ++i) {
        const auto v = order == Order::Change ? users[i].change() : order == Order::Total ? users[i].newTotal : std::nullopt;
        keys.push_back({v.has_value(), v.value_or(0), i});
    }
    const bool largestFirst = order == Order::Change ? !descending : descending;
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (order != Order::Name) {
            if (a.has != b.has)
                return a.has;
            if (a.value != b.value)
                return largestFirst ? a.value > b.value : a.value < b.value;
            return compareNames(users[a.index], users[b.index]) < 0;
        }
        const int c = compareNames(users[a.index], users[b.index]);
        return descending ? c > 0 : c < 0;
    });
    std::vector<User> sorted;
    sorted.reserve(users.size());
    for (const Key& k : keys)
        sorted.push_back(std::move(users[k.index]));
    users = std::move(sorted);
}

QString ContentsComparison::stateName(State state)
{
    switch (state) {
    case State::Both:
        return QStringLiteral("both");
    case State::New:
        return QStringLiteral("new");
    case State::Gone:
        return QStringLiteral("gone");
    }
    return QString();
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
    if (const auto percent = user.changePercent())
        out += percent->toStdString();
    out += '\t';
    out += stateName(user.state).toStdString();
}

std::vector<std::string> ContentsComparison::values(const User& user)
{
    const auto number = [](const std::optional<std::int64_t>& v) { return v ? std::to_string(*v) : std::string(); };
    const auto percent = user.changePercent();
    return {user.name,
            user.fid,
            number(user.oldTotal),
            number(user.newTotal),
            number(user.change()),
            percent ? percent->toStdString() : std::string(),
            stateName(user.state).toStdString()};
}

} // namespace bw
