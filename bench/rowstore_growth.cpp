// Times one scan, through the real parser and list, of a generated log whose
// rows once cost more the more the list held: Document rows all captioned 0
// ("No further info available"), Contents users whose names share their first
// 14 characters, Contents users checked twice within their section (scanned
// in one go as the command line does, or in 10 ms slices with the list
// settled every 100 ms as the window does), and as the peer Contents users
// each checked once, which never cost more. bench/rowstore.sh runs each at
// two sizes, each in a process of its own so that one does not inherit the
// memory another has grown.
//
//   rowstore_growth CASE ROWS [RUNS]      (RUNS default 5; prints the best CPU
//                                          seconds and the rows the list held)
//   CASE: documents, shared-name, checked-twice, checked-twice-window, distinct

#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "scan/Scan.h"
#include "session/KindProfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace bw;
using Clock = std::chrono::steady_clock;

class QuietHost : public ScanHost {
public:
    void showStatus(std::string_view) override {}
    void showLineCount(std::int64_t) override {}
    void setControlEnabled(ScanControl, bool) override {}
    void showError(std::string_view message) override
    {
        std::fprintf(stderr, "rowstore_growth: %.*s\n", static_cast<int>(message.size()), message.data());
        std::exit(2);
    }
};

// The parser cuts a file ID of three characters; beyond letters and digits
// these cut the rest of the record as those do.
constexpr char fileIdDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!#$%&*+./:;<=>?@^_{|}~";
constexpr int fileIdBase = sizeof(fileIdDigits) - 1;
constexpr int maxRows = fileIdBase * fileIdBase * fileIdBase;

std::string fileId(int n)
{
    std::string id(3, '0');
    for (int k = 2; k >= 0; --k) {
        id[static_cast<std::size_t>(k)] = fileIdDigits[n % fileIdBase];
        n /= fileIdBase;
    }
    return id;
}

void userRecord(std::string& log, const std::string& name, const std::string& fid)
{
    log += "Checking user = " + name + " (" + fid + ") - 1234 KB, 12/10/03 13:45:10\r\n";
    log += "   User stats: 12 InBox, 3 OutBox, 4 WasteBasket, 99 total\r\n";
    log += "   500 bytes in use by user " + name + "\r\n";
}

std::string documentLog(int rows)
{
    std::string log = "GWCheck document check\r\n";
    for (int i = 0; i < rows; ++i) {
        log += "   Error 50- BLOB file has no document reference: fd03/" + std::to_string(i) + ".ACA\r\n";
        log += "   No further info available\r\n";
    }
    return log;
}

std::string sharedNameLog(int rows)
{
    std::string log = "CONTENTS VERIFICATION\r\n";
    for (int i = 0; i < rows; ++i)
        userRecord(log, "SHAREDPREFIXAB" + std::to_string(100000 + i), fileId(i));
    return log;
}

std::string distinctLog(int rows)
{
    std::string log = "CONTENTS VERIFICATION\r\n";
    for (int i = 0; i < rows; ++i)
        userRecord(log, "USER" + std::to_string(100000 + i), "a1b");
    return log;
}

std::string checkedTwiceLog(int rows)
{
    std::string log = "CONTENTS VERIFICATION\r\n";
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < rows; ++i)
            userRecord(log, "USER" + std::to_string(100000 + i), "a1b");
    }
    return log;
}

// CPU seconds of the best of runs scans of log (the machine may be shared:
// time spent waiting for it does not count); rows is what the list held at
// the end.
double scanSeconds(ScanKind kind, const std::string& log, bool likeTheWindow, int runs, std::size_t& rows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    {
        QFile file(path);
        const auto size = static_cast<qint64>(log.size());
        if (!file.open(QIODevice::WriteOnly) || file.write(log.data(), size) != size) {
            std::fprintf(stderr, "rowstore_growth: cannot write %s\n", qPrintable(path));
            std::exit(2);
        }
    }
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        const KindProfile& profile = kindProfile(kind);
        SortState sort;
        const std::unique_ptr<RowStore> store = profile.makeRows(sort);
        const std::unique_ptr<LineParser> parser = profile.makeParser();
        QuietHost host;
        Scan scan(*parser, *store, sort, host);
        const std::clock_t cpuStart = std::clock();
        Clock::time_point settled = Clock::now();
        scan.start(path);
        for (;;) {
            const Scan::Outcome outcome =
                likeTheWindow ? scan.step(Clock::now() + std::chrono::milliseconds(10)) : scan.step();
            if (outcome == Scan::Outcome::Finished)
                break;
            if (outcome == Scan::Outcome::Paused) {
                scan.resume();
            } else if (Clock::now() - settled >= std::chrono::milliseconds(100)) {
                store->settle();
                settled = Clock::now();
            }
        }
        const double seconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        rows = store->size();
        if (run == 0 || seconds < best)
            best = seconds;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    struct Case {
        std::string_view name;
        ScanKind kind;
        std::string (*log)(int rows);
        bool likeTheWindow;
    };
    const Case cases[] = {
        {"documents", ScanKind::Documents, documentLog, false},
        {"shared-name", ScanKind::Contents, sharedNameLog, false},
        {"checked-twice", ScanKind::Contents, checkedTwiceLog, false},
        {"checked-twice-window", ScanKind::Contents, checkedTwiceLog, true},
        {"distinct", ScanKind::Contents, distinctLog, false},
    };
    const Case* chosen = nullptr;
    for (const Case& c : cases) {
        if (argc > 1 && c.name == argv[1])
            chosen = &c;
    }
    const int rows = argc > 2 ? std::atoi(argv[2]) : 0;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    // Users need distinct file IDs.
    if (!chosen || rows <= 0 || rows > maxRows || runs <= 0) {
        std::fprintf(stderr, "usage: rowstore_growth CASE ROWS [RUNS]   (0 < ROWS <= %d)\n", maxRows);
        return 2;
    }
    std::size_t held = 0;
    const double seconds = scanSeconds(chosen->kind, chosen->log(rows), chosen->likeTheWindow, runs, held);
    std::printf("%.4f %zu\n", seconds, held);
    return held == static_cast<std::size_t>(rows) ? 0 : 1;
}
