// Writes a synthetic GWCheck contents-check log, either in the GroupWise 5
// form or as a GroupWise 6/7 job log, so the scanner can be benchmarked on
// inputs of any size without shipping real customer logs.
//
//   gen_contents_log --users N --sections M --out FILE [--seed S] [--joblog]

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using std::string_view;

// splitmix64: tiny, fast, and identical on every platform, which the
// standard distributions are not.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n); the multiply-shift bias is irrelevant here.
    std::uint32_t below(std::uint32_t n)
    {
        return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
    }

    std::uint32_t between(std::uint32_t lo, std::uint32_t hi) { return lo + below(hi - lo + 1); }
    bool percent(std::uint32_t p) { return below(100) < p; }

    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N])
    {
        return items[below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t m_state;
};

// Large buffer flushed in big chunks: per-line writes would dominate the run time.
class Output {
public:
    explicit Output(std::FILE* file) : m_file(file), m_buf(std::size_t(4) << 20) {}

    void put(string_view s)
    {
        if (m_buf.size() - m_used < s.size())
            flush();
        std::memcpy(m_buf.data() + m_used, s.data(), s.size());
        m_used += s.size();
    }

    void put(char c)
    {
        if (m_used == m_buf.size())
            flush();
        m_buf[m_used++] = c;
    }

    void num(std::uint64_t v)
    {
        char tmp[24];
        auto res = std::to_chars(tmp, tmp + sizeof tmp, v);
        put(string_view(tmp, static_cast<std::size_t>(res.ptr - tmp)));
    }

    void num2(unsigned v)
    {
        put(static_cast<char>('0' + (v / 10) % 10));
        put(static_cast<char>('0' + v % 10));
    }

    void hex(std::uint64_t v, int width)
    {
        static constexpr char digits[] = "0123456789ABCDEF";
        char tmp[16];
        for (int i = width - 1; i >= 0; --i) {
            tmp[i] = digits[v & 15];
            v >>= 4;
        }
        put(string_view(tmp, static_cast<std::size_t>(width)));
    }

    void eol() { put("\r\n"); }

    bool flush()
    {
        if (m_used > 0 && !m_failed) {
            if (std::fwrite(m_buf.data(), 1, m_used, m_file) != m_used)
                m_failed = true;
            m_written += m_used;
        }
        m_used = 0;
        return !m_failed;
    }

    bool failed() const { return m_failed; }
    std::uint64_t written() const { return m_written + m_used; }

private:
    std::FILE* m_file;
    std::vector<char> m_buf;
    std::size_t m_used = 0;
    std::uint64_t m_written = 0;
    bool m_failed = false;
};

// Wall-clock time of the simulated run, in seconds since 1970-01-01.
class Clock {
public:
    explicit Clock(std::int64_t t) : m_t(t) {}
    void advance(std::uint32_t seconds) { m_t += seconds; }

    // "10/12/26 09:14:22", the stamp GWCheck puts on user headers.
    void putStamp(Output& out) const
    {
        Civil c = civil();
        out.num2(c.month);
        out.put('/');
        out.num2(c.day);
        out.put('/');
        out.num2(static_cast<unsigned>(c.year % 100));
        out.put(' ');
        putTime(out, c);
    }

    // "Date: 10/12/2026   Time: 09:14:02"
    void putDateTime(Output& out) const
    {
        Civil c = civil();
        out.put("Date: ");
        out.num2(c.month);
        out.put('/');
        out.num2(c.day);
        out.put('/');
        out.num(static_cast<std::uint64_t>(c.year));
        out.put("   Time: ");
        putTime(out, c);
    }

private:
    struct Civil {
        int year;
        unsigned month, day, hour, minute, second;
    };

    static void putTime(Output& out, const Civil& c)
    {
        out.num2(c.hour);
        out.put(':');
        out.num2(c.minute);
        out.put(':');
        out.num2(c.second);
    }

    // Days-to-civil conversion (proleptic Gregorian), good for any era.
    Civil civil() const
    {
        std::int64_t days = m_t / 86400;
        std::int64_t secs = m_t % 86400;
        days += 719468;
        const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
        const std::int64_t doe = days - era * 146097;
        const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const std::int64_t mp = (5 * doy + 2) / 153;
        const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
        const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
        const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
        return Civil{static_cast<int>(y), static_cast<unsigned>(m), static_cast<unsigned>(d),
                     static_cast<unsigned>(secs / 3600), static_cast<unsigned>(secs / 60 % 60),
                     static_cast<unsigned>(secs % 60)};
    }

    std::int64_t m_t;
};

constexpr string_view kFirstNames[] = {
    "JOHN", "MARY", "PETER", "SUSAN", "MICHAEL", "LINDA", "DAVID", "KAREN", "ROBERT", "NANCY",
    "THOMAS", "HELEN", "ANDREAS", "PETRA", "KLAUS", "INGRID", "FRANCOIS", "MONIQUE", "GIOVANNI",
    "CHIARA", "JAN", "ANNA", "LARS", "INGE", "PIOTR", "AGNIESZKA", "MIGUEL", "CARMEN", "HIROSHI",
    "YUKI", "RAJESH", "PRIYA", "OLIVER", "CHARLOTTE", "WILLIAM", "ELIZABETH", "JAMES", "PATRICIA",
    "CHRISTOPHER", "ALEXANDRA", "BERNADETTE", "MAXIMILIAN", "SEBASTIAN", "KATHARINA", "ERIK",
    "SOFIA", "NIKOLAI", "OLGA", "AHMED", "FATIMA", "WEI", "LING", "DANIEL", "SARAH", "MARK",
    "JULIA", "PAUL", "LAURA", "GEORGE", "EMMA",
};

constexpr string_view kLastNames[] = {
    "SMITH", "JONES", "BROWN", "MILLER", "DAVIS", "WILSON", "TAYLOR", "CLARK", "HALL", "YOUNG",
    "KING", "WRIGHT", "GREEN", "BAKER", "ADAMS", "NELSON", "CARTER", "MITCHELL", "ROBERTS",
    "TURNER", "PHILLIPS", "CAMPBELL", "PARKER", "EVANS", "EDWARDS", "COLLINS", "STEWART",
    "MORRIS", "MUELLER", "SCHMIDT", "SCHNEIDER", "FISCHER", "WEBER", "MEYER", "WAGNER", "BECKER",
    "HOFFMANN", "SCHULZ", "KOCH", "RICHTER", "DUBOIS", "MARTIN", "BERNARD", "LEFEVRE", "ROSSI",
    "BIANCHI", "ROMANO", "COLOMBO", "JANSEN", "DEVRIES", "BAKKER", "VISSER", "NOWAK",
    "KOWALSKI", "WISNIEWSKI", "GARCIA", "FERNANDEZ", "LOPEZ", "MARTINEZ", "SATO", "SUZUKI",
    "TANAKA", "PATEL", "SHARMA", "NGUYEN", "TRAN", "LI", "WANG", "CHEN", "OBRIEN", "MURPHY",
    "KELLY", "LARSEN", "NIELSEN", "ANDERSSON", "JOHANSSON", "VANDERWESTHUIZEN",
    "SCHWARZENEGGER", "KOWALCZYKOWSKI", "PAPADOPOULOS", "MONTGOMERY", "FITZGERALD",
    "ABERNATHY", "CHRISTOPHERSON", "HUMPERDINCK", "BALASUBRAMANIAN", "OKONKWO", "ZIELINSKI",
};

// No dashes, commas or brackets: in a GroupWise 5 header the first dash after
// the file ID starts the size.
constexpr string_view kDepartments[] = {
    "Sales", "Accounting", "Human Resources", "IT Services", "Legal", "Marketing",
    "Facilities", "Research", "Customer Support", "Purchasing", "Engineering",
    "Executive Office", "Payroll", "Logistics", "Quality Assurance", "Training",
};

// Job logs put the size right after the file ID, so dashes are harmless there.
constexpr string_view kJobDepartments[] = {
    "IT - Helpdesk", "Sales - EMEA", "Sales - Americas", "R&D - Lab 2", "Finance - AP",
};

constexpr string_view kFolders[] = {
    "Sent Items", "Calendar", "Work In Progress", "Cabinet", "Documents", "Trash", "Projects",
    "Checklist", "Contacts", "Archive 2025", "Customers", "Reports", "Personal", "Mailbox",
};

constexpr string_view kItemKinds[] = {
    "Mail", "Mail", "Mail", "Appointment", "Task", "Note", "Phone Message",
};

constexpr string_view kAttachments[] = {
    "budget_q3.xls", "minutes.doc", "scan0042.pdf", "logo.gif", "contract_draft.doc",
    "photo.jpg", "roadmap.ppt", "invoice_7731.pdf", "readme.txt", "TEXT.htm", "MIME.822",
};

constexpr string_view kProblems[] = {
    "Item record has an invalid pointer - fixed",
    "Attachment missing from the store - reference removed",
    "Orphaned message record - deleted",
    "Folder item count wrong - corrected",
};

constexpr string_view kBanner5 = "Novell GroupWise - GWCheck - Version 5.5.6";
constexpr string_view kBanner7 = "Novell GroupWise - GWCHECK - Version 7.0.2 (Build 11/19/2007)";

constexpr std::uint32_t kLimitsKb[] = {10240, 20480, 51200, 102400, 204800, 512000};
constexpr std::uint32_t kThresholds[] = {75, 80, 85, 90, 95};

struct Options {
    std::uint64_t users = 0;
    std::uint64_t sections = 0;
    std::uint64_t seed = 1;
    std::string out;
    bool jobLog = false;
};

void usage()
{
    std::fputs("usage: gen_contents_log --users N --sections M --out FILE [--seed S] [--joblog]\n",
               stderr);
}

bool parseNumber(const char* text, std::uint64_t& value)
{
    const char* end = text + std::strlen(text);
    auto res = std::from_chars(text, end, value);
    return res.ec == std::errc() && res.ptr == end && res.ptr != text;
}

bool parseArgs(int argc, char** argv, Options& opt)
{
    bool haveUsers = false, haveSections = false;
    for (int i = 1; i < argc; ++i) {
        string_view arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--joblog") {
            opt.jobLog = true;
        } else if (arg == "--users" || arg == "--sections" || arg == "--seed") {
            const char* v = value();
            std::uint64_t n = 0;
            if (!v || !parseNumber(v, n)) {
                std::fprintf(stderr, "gen_contents_log: %.*s needs a non-negative integer\n",
                             static_cast<int>(arg.size()), arg.data());
                return false;
            }
            if (arg == "--users") {
                opt.users = n;
                haveUsers = true;
            } else if (arg == "--sections") {
                opt.sections = n;
                haveSections = true;
            } else {
                opt.seed = n;
            }
        } else if (arg == "--out") {
            const char* v = value();
            if (!v || !*v) {
                std::fputs("gen_contents_log: --out needs a file name\n", stderr);
                return false;
            }
            opt.out = v;
        } else if (arg == "--help" || arg == "-h") {
            return false;
        } else {
            std::fprintf(stderr, "gen_contents_log: unknown argument '%s'\n", argv[i]);
            return false;
        }
    }
    if (!haveUsers || !haveSections || opt.out.empty()) {
        std::fputs("gen_contents_log: --users, --sections and --out are required\n", stderr);
        return false;
    }
    if (opt.sections == 0) {
        std::fputs("gen_contents_log: --sections must be at least 1\n", stderr);
        return false;
    }
    return true;
}

// A GroupWise user ID in one of the styles sites tend to use; a few run past
// the 14 characters the list shows.
std::string_view makeName(Rng& rng, char (&buf)[64])
{
    string_view first = rng.pick(kFirstNames);
    string_view last = rng.pick(kLastNames);
    std::size_t n = 0;
    auto add = [&](string_view s) {
        for (char c : s)
            if (n < sizeof buf)
                buf[n++] = c;
    };
    std::uint32_t style = rng.below(100);
    bool lower = false;
    if (style < 45) {
        add(first.substr(0, 1));
        add(last);
    } else if (style < 65) {
        add(last);
        add(first.substr(0, 1));
    } else if (style < 80) {
        add(first);
        add(".");
        add(last);
        lower = true;
    } else if (style < 92) {
        add(first);
        add(last.substr(0, 1));
    } else if (style < 97) {
        add(first);
        add("_");
        add(last);
    } else {
        add("RES_");
        add(rng.percent(60) ? "CONF_ROOM_" : "PROJECTOR_");
        buf[n++] = static_cast<char>('1' + rng.below(9));
    }
    if (lower)
        for (std::size_t i = 0; i < n; ++i)
            if (buf[i] >= 'A' && buf[i] <= 'Z')
                buf[i] = static_cast<char>(buf[i] - 'A' + 'a');
    return string_view(buf, n);
}

// Distinct users of one post office get distinct file IDs: an odd multiplier
// coprime to 36^3 spreads consecutive indices over the whole ID space.
void makeFid(std::uint64_t index, char (&fid)[3])
{
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uint64_t v = (index * 7919 + 1234) % (36 * 36 * 36);
    fid[2] = digits[v % 36];
    fid[1] = digits[v / 36 % 36];
    fid[0] = digits[v / 1296];
    if (fid[0] >= '0' && fid[0] <= '9')
        fid[0] = static_cast<char>('a' + (fid[0] - '0'));
}

// Per-message chatter that matches none of the parser's markers.
void writeNoise(Output& out, Rng& rng, string_view name)
{
    switch (rng.below(9)) {
    case 0:
    case 1:
        out.put("   - Checking message DRN ");
        out.num(rng.between(1000, 4000000));
        out.put(" (");
        out.put(rng.pick(kItemKinds));
        out.put(")");
        break;
    case 2:
        out.put("   - Folder \"");
        out.put(rng.pick(kFolders));
        out.put("\": ");
        out.num(rng.below(900));
        out.put(" items verified");
        break;
    case 3:
        out.put("     Attachment ");
        out.put(rng.pick(kAttachments));
        out.put(", ");
        out.num(rng.between(200, 9000000));
        out.put(" bytes - OK");
        break;
    case 4:
        out.put("   - Verifying BLOB offiles\\fd");
        out.hex(rng.below(256), 2);
        out.put('\\');
        out.hex(rng.next(), 8);
        out.put(".000");
        break;
    case 5:
        out.put("   - Checking record ");
        out.num(rng.between(1, 60000));
        out.put(" in message database msg");
        out.num(rng.below(25));
        out.put(".db");
        break;
    case 6:
        out.put("   - Validating personal address book entries for ");
        out.put(name);
        break;
    case 7:
        out.put("   - Checking message DRN ");
        out.num(rng.between(1000, 4000000));
        out.put(" in folder ");
        out.put(rng.pick(kFolders));
        break;
    default:
        if (rng.percent(30)) {
            out.put("     Problem ");
            out.num(rng.between(11, 99));
            out.put(": ");
            out.put(rng.pick(kProblems));
        } else {
            out.put("   - Verified ");
            out.num(rng.below(400));
            out.put(" items in ");
            out.put(rng.pick(kFolders));
        }
        break;
    }
    out.eol();
}

void writeUser(Output& out, Rng& rng, Clock& clock, bool jobLog, std::uint64_t index)
{
    char nameBuf[64];
    string_view name = makeName(rng, nameBuf);
    char fid[3];
    makeFid(index, fid);
    string_view dept;
    if (rng.percent(85))
        dept = (jobLog && rng.percent(20)) ? rng.pick(kJobDepartments) : rng.pick(kDepartments);

    // Sizes are settled before the header is written so that the database
    // size stays plausible next to the mailbox total.
    enum class Closing { Plain, OverLimit, OverThreshold } closing = Closing::Plain;
    std::uint64_t totalKb = rng.between(300, 90000);
    if (rng.percent(8))
        totalKb *= 15;
    bool managed = rng.percent(25);
    std::uint32_t limitKb = 0, thresholdPct = 0;
    if (managed) {
        limitKb = rng.pick(kLimitsKb);
        thresholdPct = rng.pick(kThresholds);
        std::uint32_t thresholdKb = limitKb / 100 * thresholdPct;
        std::uint32_t roll = rng.below(100);
        if (roll < 20) {
            closing = Closing::OverLimit;
            totalKb = limitKb + 1 + rng.below(limitKb / 2);
        } else if (roll < 40) {
            closing = Closing::OverThreshold;
            totalKb = thresholdKb + 1 + rng.below(limitKb - thresholdKb);
        } else {
            totalKb = thresholdKb / 5 + rng.below(thresholdKb / 5 * 4);
        }
    }
    std::uint64_t dbKb = 96 + totalKb / 40 + rng.below(2048);
    if (dbKb > totalKb / 2)
        dbKb = totalKb / 2 + 1;

    clock.advance(rng.between(1, 7));

    // GroupWise 5 puts the size after "- "; a job log puts it right after the file ID.
    out.put("Checking user = ");
    out.put(name);
    out.put(" (");
    out.put(string_view(fid, 3));
    out.put(')');
    if (!jobLog) {
        if (!dept.empty()) {
            out.put(" [");
            out.put(dept);
            out.put(']');
        }
        out.put(" - ");
    } else {
        out.put(' ');
    }
    out.num(dbKb);
    out.put(" KB, ");
    clock.putStamp(out);
    if (jobLog && !dept.empty()) {
        out.put(" [");
        out.put(dept);
        out.put(']');
    }
    out.eol();

    std::uint32_t noise = jobLog ? rng.between(4, 7) : rng.between(5, 8);
    std::uint32_t after = rng.percent(20) ? 1 : 0;
    for (std::uint32_t i = after; i < noise; ++i)
        writeNoise(out, rng, name);

    out.put("   User stats: ");
    out.num(rng.below(100) < 3 ? 0 : rng.between(1, 1500) * (rng.percent(5) ? 6 : 1));
    out.put(" InBox, ");
    out.num(rng.below(600));
    out.put(" OutBox, ");
    out.num(rng.below(250));
    out.put(" WasteBasket, ");
    out.num(rng.below(120));
    out.put(" Calendar, ");
    out.num(rng.between(1, 40));
    out.put(" Folders");
    out.eol();
    for (std::uint32_t i = 0; i < after; ++i)
        writeNoise(out, rng, name);

    if (managed) {
        out.put("   Disk space management: Size Limit - ");
        out.num(limitKb);
        out.put("KB, Threshold - ");
        out.num(thresholdPct);
        out.put('%');
        out.eol();
    }

    switch (closing) {
    case Closing::Plain:
        out.put("   ");
        out.num(totalKb);
        out.put(" kbytes in use by user ");
        out.put(name);
        break;
    case Closing::OverLimit:
        out.put("   Size Limit Exceeded for user ");
        out.put(name);
        out.put(" - Current size: ");
        out.num(totalKb);
        out.put("KB");
        break;
    case Closing::OverThreshold:
        out.put("   Threshold limit exceeded for user ");
        out.put(name);
        out.put(" - Current size: ");
        out.num(totalKb);
        out.put("KB");
        break;
    }
    out.eol();

    if (jobLog) {
        out.put("PROCESSING COMPLETE");
        out.eol();
    }
}

void writePoLines(Output& out, std::uint64_t section)
{
    std::uint64_t po = section + 1;
    out.put("Path to PO = \\\\GWSRV");
    out.num2(static_cast<unsigned>(section % 8 + 1));
    out.put("\\MAIL\\PO");
    out.num(po);
    out.eol();
    out.put("Post Office = PO");
    out.num(po);
    out.eol();
}

void writeRunOptions(Output& out)
{
    out.put("Database type = User/Resource");
    out.eol();
    out.put("Action = Analyze/Fix Databases");
    out.eol();
    out.put("Options = Contents, Collect statistics, Fix problems");
    out.eol();
}

void writeGw5(Output& out, Rng& rng, Clock& clock, const Options& opt)
{
    out.put(kBanner5);
    out.eol();
    out.put("(c) Copyright 1993-2001 Novell, Inc.  All rights reserved.");
    out.eol();
    out.eol();
    clock.putDateTime(out);
    out.eol();
    writePoLines(out, 0);
    writeRunOptions(out);
    out.put("Log file = \\\\GWSRV01\\MAIL\\PO1\\GWCHECK.LOG");
    out.eol();
    out.put("================================================================");
    out.eol();

    std::uint64_t done = 0;
    for (std::uint64_t s = 0; s < opt.sections; ++s) {
        std::uint64_t end = opt.users * (s + 1) / opt.sections;
        if (s > 0) {
            out.eol();
            writePoLines(out, s);
            clock.putDateTime(out);
            out.eol();
        }
        out.put("----- CONTENTS VERIFICATION -----");
        out.eol();
        std::uint64_t started = done;
        for (; done < end; ++done)
            writeUser(out, rng, clock, false, done - started);
        out.put("PROCESSING COMPLETE");
        out.eol();
        out.put("Users checked: ");
        out.num(end - started);
        out.eol();
        clock.advance(rng.between(30, 600));
    }
}

void writeJobLog(Output& out, Rng& rng, Clock& clock, const Options& opt)
{
    std::uint64_t done = 0;
    for (std::uint64_t s = 0; s < opt.sections; ++s) {
        std::uint64_t end = opt.users * (s + 1) / opt.sections;
        out.put("===== BEGIN - JOB LOG =========================================");
        out.eol();
        out.put(kBanner7);
        out.eol();
        out.put("Job started - ");
        clock.putDateTime(out);
        out.eol();
        writePoLines(out, s);
        writeRunOptions(out);
        out.put("Run on = All users on post office");
        out.eol();
        out.put("----- CONTENTS VERIFICATION -----");
        out.eol();
        std::uint64_t started = done;
        for (; done < end; ++done)
            writeUser(out, rng, clock, true, done - started);
        out.put("Users checked: ");
        out.num(end - started);
        out.eol();
        out.put("===== END - JOB LOG ===========================================");
        out.eol();
        out.eol();
        clock.advance(rng.between(30, 600));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options opt;
    if (!parseArgs(argc, argv, opt)) {
        usage();
        return 2;
    }

    std::FILE* file = std::fopen(opt.out.c_str(), "wb");
    if (!file) {
        std::perror(opt.out.c_str());
        return 1;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);

    Rng rng(opt.seed);
    // 10/12/2026 09:14:02, nudged by the seed so different seeds differ in time too.
    Clock clock(1791796442 + static_cast<std::int64_t>(opt.seed % 86400));
    Output out(file);
    if (opt.jobLog)
        writeJobLog(out, rng, clock, opt);
    else
        writeGw5(out, rng, clock, opt);

    bool ok = out.flush();
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok) {
        std::perror(opt.out.c_str());
        return 1;
    }
    return 0;
}
