#include "cli/CliScan.h"

#include "base/Text.h"
#include "lists/RowStore.h"
#include "lists/SortState.h"
#include "scan/Scan.h"
#include "scan/ScanKind.h"

#include <QFile>

#include <optional>

namespace bw {

namespace {

constexpr const char* kUsage =
    "usage: brindlewick-cli scan contents|documents|expire|structure LOG [--sort N] [--descending]\n";

struct CliOptions {
    ScanKind kind = ScanKind::Contents;
    std::string log;
    std::optional<int> sortColumn;
    bool descending = false;
};

class CliHost : public ScanHost {
public:
    CliHost(const CliOptions& options, std::ostream& out, std::ostream& err, RowStore& rows, SortState& sort)
        : m_options(options)
        , m_out(out)
        , m_err(err)
        , m_rows(rows)
        , m_sort(sort)
    {
    }

    ~CliHost() override { flush(); }

    void showStatus(std::string_view text) override
    {
        m_buffer += "# ";
        m_buffer += text;
        m_buffer += '\n';
        flushIfFull();
    }
    void showLineCount(std::int64_t) override {}
    void setControlEnabled(ScanControl, bool) override {}
    void showError(std::string_view message) override
    {
        flush();
        m_err << "brindlewick-cli: " << m_options.log << ": " << message << '\n';
    }
    void scanEnding() override { writeRows(); }

    // What a user sees at a pause: the list, in the order asked for.
    void writeRows()
    {
        if (m_options.sortColumn || m_options.descending) {
            m_sort.column = m_options.sortColumn.value_or(0);
            m_sort.direction = m_options.descending ? -1 : +1;
            m_rows.sort();
        }
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const Row& row = m_rows.at(i);
            m_buffer += row.caption;
            for (const std::string& item : row.subItems) {
                m_buffer += '\t';
                m_buffer += item;
            }
            m_buffer += '\n';
            flushIfFull();
        }
    }

    void flush()
    {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }

private:
    const CliOptions& m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    RowStore& m_rows;
    SortState& m_sort;
    // Rows of large sections are many: write them in big blocks.
    std::string m_buffer;

    void flushIfFull()
    {
        if (m_buffer.size() >= (1u << 20))
            flush();
    }
};

std::optional<CliOptions> parseArgs(const std::vector<std::string>& args, std::string& problem)
{
    CliOptions options;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--descending") {
            options.descending = true;
        } else if (a == "--sort") {
            const auto column = i + 1 < args.size() ? readInt32(args[i + 1]) : std::nullopt;
            if (!column || *column < 0) {
                problem = "--sort takes a column number (0 is the first column)";
                return std::nullopt;
            }
            options.sortColumn = *column;
            ++i;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            problem = "unknown option " + a;
            return std::nullopt;
        } else {
            words.push_back(a);
        }
    }
    if (words.size() != 3 || words[0] != "scan") {
        problem = "expected: scan KIND LOG";
        return std::nullopt;
    }
    const auto kind = scanKindFromName(words[1]);
    if (!kind || !makeParser(*kind)) {
        problem = "unknown kind of log '" + words[1] + "'";
        return std::nullopt;
    }
    options.kind = *kind;
    options.log = words[2];
    return options;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string problem;
    const auto options = parseArgs(args, problem);
    if (!options) {
        err << "brindlewick-cli: " << problem << '\n' << kUsage;
        return 2;
    }
    SortState sort;
    RowStore rows(compareRuleFor(options->kind), sort, sortKeyRuleFor(options->kind));
    const auto parser = makeParser(options->kind);
    CliHost host(*options, out, err, rows, sort);
    Scan scan(*parser, rows, sort, host);
    scan.start(QFile::decodeName(options->log.c_str()));
    for (;;) {
        const Scan::Outcome outcome = scan.step();
        if (outcome == Scan::Outcome::Finished)
            break;
        if (outcome == Scan::Outcome::Paused) {
            host.writeRows();
            scan.resume();
        }
    }
    host.flush();
    out.flush();
    return scan.failed() ? 1 : 0;
}

} // namespace bw
