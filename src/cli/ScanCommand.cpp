#include "cli/ScanCommand.h"

#include "base/Prefetch.h"
#include "base/Text.h"
#include "cli/CliPrompter.h"
#include "cli/ReportFile.h"
#include "lists/SortState.h"
#include "session/ScanSession.h"

#include <QFile>

#include <optional>

namespace bw {

namespace {

struct ScanOptions {
    const KindProfile* profile = nullptr;
    std::string log;
    std::optional<int> sortColumn;
    bool descending = false;
    std::optional<std::string> report;
};

std::optional<ScanOptions> parseArgs(const std::vector<std::string>& args, std::string& problem)
{
    ScanOptions options;
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
        } else if (a == "--report") {
            if (i + 1 >= args.size() || !ReportFile::formOf(QFile::decodeName(args[i + 1].c_str()))) {
                problem = "--report takes a file ending in .pdf, .txt, .csv, .htm or .qrp";
                return std::nullopt;
            }
            options.report = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            problem = "unknown option " + a;
            return std::nullopt;
        } else {
            words.push_back(a);
        }
    }
    if (words.size() != 2) {
        problem = "expected: scan KIND LOG";
        return std::nullopt;
    }
    options.profile = kindProfileNamed(words[0]);
    if (!options.profile) {
        problem = "unknown kind of log '" + words[0] + "'";
        return std::nullopt;
    }
    options.log = words[1];
    return options;
}

// What the command writes to standard output, in big blocks: rows of large
// sections are many.
class ScanOutput {
public:
    explicit ScanOutput(std::ostream& out)
        : m_out(out)
    {
    }
    ~ScanOutput() { flush(); }

    void status(const QString& text)
    {
        m_buffer += "# ";
        m_buffer += text.toStdString();
        m_buffer += '\n';
        flushIfFull();
    }

    void rows(const RowStore& rows)
    {
        // Rows in list order lie scattered in memory: ask for those a few
        // places ahead while writing this one.
        constexpr std::size_t ahead = 8;
        const std::size_t count = rows.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (i + ahead < count) {
                const Row& later = rows.at(i + ahead);
                prefetch(later.subItems.data());
                prefetch(later.caption.data());
            }
            if (i + 2 * ahead < count)
                prefetch(&rows.at(i + 2 * ahead));
            const Row& row = rows.at(i);
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
    void flushIfFull()
    {
        if (m_buffer.size() >= (1u << 20))
            flush();
    }

    std::ostream& m_out;
    std::string m_buffer;
};

} // namespace

std::string ScanCommand::usage() const
{
    return "brindlewick-cli scan contents|documents|expire|structure LOG [--sort N] [--descending] [--report FILE]";
}

int ScanCommand::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string problem;
    const auto options = parseArgs(args, problem);
    if (!options) {
        err << "brindlewick-cli: " << problem << '\n' << "usage: " << usage() << '\n';
        return 2;
    }
    const auto gui = options->report ? ReportFile::guiApplication() : nullptr;
    ScanOutput output(out);
    CliPrompter prompter(err, [&output] { output.flush(); });
    SortState sort;
    ScanSession session(*options->profile, sort, prompter);
    session.setSelfDriven(false);
    const auto reports = options->report ? std::make_unique<ReportFile>(session, QFile::decodeName(options->report->c_str()),
                                                                        QStringLiteral("<UNKNOWN>"))
                                         : nullptr;

    // What a user sees at a pause: the list, in the order asked for.
    const auto writeRows = [&] {
        if (options->sortColumn || options->descending) {
            sort.column = options->sortColumn.value_or(0);
            sort.direction = options->descending ? -1 : +1;
            session.rows().sort();
        }
        output.rows(session.rows());
    };
    session.choose(QFile::decodeName(options->log.c_str()));
    // From Parse on, as the scan shows them.
    QObject::connect(&session, &ScanSession::statusChanged, [&] { output.status(session.status()); });
    QObject::connect(&session, &ScanSession::scanFinishing, writeRows);
    QObject::connect(&session, &ScanSession::scanFinishing, [&] {
        if (reports)
            reports->atEnd();
    });
    session.parse();
    while (session.scanRunning()) {
        if (session.step() == Scan::Outcome::Paused) {
            writeRows();
            if (reports)
                reports->atPause();
            session.continueScan();
        }
    }
    output.flush();
    out.flush();
    const bool reported = !reports || reports->finish(err);
    return session.scan().failed() || !reported ? 1 : 0;
}

} // namespace bw
