#include "cli/ScanCommand.h"

#include "actions/TabDelimitedExport.h"
#include "base/AccountName.h"
#include "base/PathMappings.h"
#include "base/Prefetch.h"
#include "base/Text.h"
#include "cli/CliActions.h"
#include "cli/CliPrompter.h"
#include "cli/ReportFile.h"
#include "cli/ReportPrinter.h"
#include "lists/SortState.h"
#include "session/ScanSession.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

namespace bw {

namespace {

struct ScanOptions {
    const KindProfile* profile = nullptr;
    std::string log;
    std::optional<int> sortColumn;
    bool descending = false;
    QString exportFile;
    QString rescueDirectory;
    QString csvFile;
    bool backdate = false;
    std::vector<PathMapping> mappings;
    std::optional<std::string> report;
    bool print = false;
    // --printer, --copies or --pages given.
    bool printChoice = false;
    QString printer;
    PrintRequest printRequest;
};

// Paths on the command line are relative to where the command runs.
QString argPath(const std::string& arg)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(arg.c_str())));
}

bool checkActions(const ScanOptions& options, std::string& problem)
{
    const ScanKind kind = options.profile->kind;
    if (!options.exportFile.isEmpty() && !TabDelimitedExport::formatFor(kind)) {
        problem = "--export is for contents and expire logs";
        return false;
    }
    if ((!options.rescueDirectory.isEmpty() || !options.csvFile.isEmpty()) && kind != ScanKind::Documents) {
        problem = "--rescue and --csv are for documents logs";
        return false;
    }
    if (options.rescueDirectory.isEmpty() != options.csvFile.isEmpty()) {
        problem = "--rescue OUTDIR and --csv FILE go together";
        return false;
    }
    if (options.backdate && kind != ScanKind::Structure) {
        problem = "--backdate is for structure logs";
        return false;
    }
    return true;
}

// A plain number (a column, a page, copies): decimal digits only, no sign,
// no blanks.
std::optional<int> plainNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

// FROM-TO: two page numbers, the first at most the second.
std::optional<std::pair<int, int>> pageRange(const std::string& text)
{
    const auto dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const auto from = plainNumber(text.substr(0, dash));
    const auto to = plainNumber(text.substr(dash + 1));
    if (!from || !to || *from < 1 || *from > *to)
        return std::nullopt;
    return std::pair(*from, *to);
}

std::optional<ScanOptions> parseArgs(const std::vector<std::string>& args, std::string& problem)
{
    ScanOptions options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded) {
            words.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--descending") {
            options.descending = true;
        } else if (a == "--sort") {
            const auto column = i + 1 < args.size() ? plainNumber(args[i + 1]) : std::nullopt;
            if (!column) {
                problem = "--sort takes a column number (0 is the first column)";
                return std::nullopt;
            }
            options.sortColumn = *column;
            ++i;
        } else if (a == "--export" || a == "--rescue" || a == "--csv") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = a + " takes a file or folder";
                return std::nullopt;
            }
            QString& target = a == "--export" ? options.exportFile : a == "--rescue" ? options.rescueDirectory : options.csvFile;
            target = a == "--export" ? QFile::decodeName(args[i + 1].c_str()) : argPath(args[i + 1]);
            ++i;
        } else if (a == "--backdate") {
            options.backdate = true;
        } else if (a == "--map") {
            const auto mapping = i + 1 < args.size() ? PathMappings::parse(QFile::decodeName(args[i + 1].c_str()))
                                                     : std::nullopt;
            if (!mapping) {
                problem = "--map takes PREFIX=FOLDER";
                return std::nullopt;
            }
            options.mappings.push_back({mapping->prefix, argPath(mapping->folder.toStdString())});
            ++i;
        } else if (a == "--report") {
            if (i + 1 >= args.size() || !ReportFile::formOf(QFile::decodeName(args[i + 1].c_str()))) {
                problem = "--report takes a file ending in .pdf, .txt, .csv, .htm or .qrp";
                return std::nullopt;
            }
            options.report = args[++i];
        } else if (a == "--print") {
            options.print = true;
        } else if (a == "--printer") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = "--printer takes a printer's name";
                return std::nullopt;
            }
            options.printer = QString::fromLocal8Bit(args[++i]);
            options.printChoice = true;
        } else if (a == "--copies") {
            const auto copies = i + 1 < args.size() ? plainNumber(args[i + 1]) : std::nullopt;
            if (!copies || *copies < 1 || *copies > 99) {
                problem = "--copies takes a number from 1 to 99";
                return std::nullopt;
            }
            options.printRequest.copies = *copies;
            options.printChoice = true;
            ++i;
        } else if (a == "--pages") {
            const auto range = i + 1 < args.size() ? pageRange(args[i + 1]) : std::nullopt;
            if (!range) {
                problem = "--pages takes FROM-TO, two page numbers from 1 with FROM at most TO";
                return std::nullopt;
            }
            options.printRequest.fromPage = range->first;
            options.printRequest.toPage = range->second;
            options.printChoice = true;
            ++i;
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
    // "-" reads standard input, so that a compressed log can be piped in.
    options.log = words[1] == "-" ? "/dev/stdin" : words[1];
    if (options.log.empty()) {
        problem = "the log file name is empty";
        return std::nullopt;
    }
    if (!checkActions(options, problem))
        return std::nullopt;
    if (options.printChoice && !options.print) {
        problem = "--printer, --copies and --pages go with --print";
        return std::nullopt;
    }
    return options;
}

// What the command writes to standard output, in big blocks: rows of large
// sections are many.
//
// A failed write ends the run: what follows could not be read either, and the
// reader must not take a cut list for the whole one.
class ScanOutput {
public:
    ScanOutput(std::ostream& out, bool live)
        : m_out(out)
        , m_live(live)
    {
    }
    ~ScanOutput() { flush(); }

    void status(const QString& text)
    {
        m_buffer += "# ";
        m_buffer += text.toStdString();
        m_buffer += '\n';
        if (m_live)
            pass();
        else
            flushIfFull();
    }

    // Hands everything written so far to the reader: at every pause, and at
    // every status line when someone reads as it comes.
    void pass()
    {
        flush();
        if (!m_failed) {
            m_out.flush();
            noteFailure();
        }
    }

    bool failed() const { return m_failed; }
    const std::string& failure() const { return m_failure; }

    void rows(const RowStore& rows)
    {
        // Rows in list order lie scattered in memory: ask for those a few
        // places ahead while writing this one, every cache line of the row
        // (its caption, its text's place and its count lie apart) and of its
        // text.
        constexpr std::size_t ahead = 16;
        const std::size_t count = rows.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (i + ahead < count) {
                const std::string_view text = rows.at(i + ahead).subItemsJoined();
                prefetch(text.data(), text.size());
            }
            if (i + 2 * ahead < count)
                prefetch(&rows.at(i + 2 * ahead), sizeof(Row));
            const Row& row = rows.at(i);
            m_buffer += row.caption;
            // The sub-items are kept tab-separated already.
            if (row.subItemCount() > 0) {
                m_buffer += '\t';
                m_buffer += row.subItemsJoined();
            }
            m_buffer += '\n';
            flushIfFull();
        }
    }

    void flush()
    {
        if (!m_failed && !m_buffer.empty()) {
            errno = 0;
            m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
            noteFailure();
        }
        m_buffer.clear();
    }

private:
    void noteFailure()
    {
        if (m_out || m_failed)
            return;
        m_failed = true;
        // The stream keeps no reason; the failed write left it in errno.
        m_failure = errno != 0 ? std::strerror(errno) : "write failed";
    }

    void flushIfFull()
    {
        if (m_buffer.size() >= (1u << 20))
            flush();
    }

    std::ostream& m_out;
    std::string m_buffer;
    bool m_live;
    bool m_failed = false;
    std::string m_failure;
};

} // namespace

std::string ScanCommand::usage() const
{
    return "brindlewick-cli scan contents|documents|expire|structure LOG [--sort N] [--descending]\n"
           "         [--export FILE] (contents, expire; {n} in FILE: one file per export)\n"
           "         [--rescue OUTDIR --csv FILE] (documents) [--backdate] (structure) [--map PREFIX=FOLDER]...\n"
           "         [--report FILE] (.pdf, .txt, .csv, .htm or .qrp; {n} in FILE: one file per report)\n"
           "         [--print [--printer NAME] [--copies N] [--pages FROM-TO]]";
}

int ScanCommand::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliOutput& live)
{
    std::string problem;
    const auto options = parseArgs(args, problem);
    if (!options) {
        err << "brindlewick-cli: " << problem << '\n' << "usage: " << usage() << '\n';
        return 2;
    }
    const auto gui = options->report || options->print ? ReportOutput::guiApplication() : nullptr;
    PrintRequest printRequest = options->printRequest;
    if (options->print) {
        QString why;
        const auto printer = ReportPrinter::printerIndex(options->printer, why);
        if (!printer) {
            err << "brindlewick-cli: " << why.toStdString() << '\n';
            return 2;
        }
        printRequest.printer = *printer;
    }
    ScanOutput output(out, live.live);
    CliPrompter prompter(err, [&output] { output.flush(); });
    SortState sort;
    ScanSession session(*options->profile, sort, prompter);
    session.setSelfDriven(false);
    const auto reports = options->report ? std::make_unique<ReportFile>(session, QFile::decodeName(options->report->c_str()),
                                                                        effectiveAccountName().value_or(QStringLiteral("<UNKNOWN>")).toUpper())
                                         : nullptr;
    const auto printer = options->print ? std::make_unique<ReportPrinter>(session, printRequest) : nullptr;

    // What a user sees at a pause: the list, in the order asked for.
    const auto writeRows = [&] {
        if (options->sortColumn || options->descending) {
            sort.column = options->sortColumn.value_or(0);
            sort.direction = options->descending ? -1 : +1;
            session.rows().sort();
        }
        output.rows(session.rows());
    };
    session.setPathMappings(PathMappings(options->mappings));
    session.chooseNative(QByteArray::fromStdString(options->log));
    CliActions actions({options->exportFile, options->rescueDirectory, options->csvFile, options->backdate}, session,
                       prompter);
    if (!actions.open()) {
        output.flush();
        return 1;
    }
    // From Parse on, as the scan shows them.
    QObject::connect(&session, &ScanSession::statusChanged, [&] { output.status(session.status()); });
    QObject::connect(&session, &ScanSession::scanFinishing, writeRows);
    QObject::connect(&session, &ScanSession::scanFinishing, [&] {
        if (reports)
            reports->atEnd();
        if (printer)
            printer->atEnd();
    });
    bool sawSection = false;
    QObject::connect(&session, &ScanSession::statusChanged, [&] {
        sawSection = sawSection || session.status().endsWith(u"Section Found");
    });
    session.parse();
    bool actionFailed = false;
    while (session.scanRunning() && !output.failed()) {
        if (session.step() == Scan::Outcome::Paused) {
            sawSection = true;
            writeRows();
            output.pass();
            if (reports)
                reports->atPause();
            if (printer)
                printer->atPause();
            if (actions.any() && !actions.run()) {
                actionFailed = true;
                break;
            }
            session.continueScan();
        }
    }
    // An empty list alone would not say that the log held nothing of this kind.
    if (!sawSection && !session.scan().failed() && session.rows().empty())
        err << "brindlewick-cli: no " << session.profile().name << " section was found in " << options->log << '\n';
    // After the scan, the listed rows as the enabled action button offers them.
    if (!actionFailed && !output.failed() && actions.any() && !session.scan().failed() && !session.rows().empty())
        actions.run();
    const int status = actions.finish(session.scan().failed());
    const bool reported = !reports || reports->finish(err);
    const bool printed = !printer || printer->finish(err);
    output.pass();
    if (output.failed()) {
        err << "brindlewick-cli: standard output: " << output.failure() << '\n';
        return 1;
    }
    return reported && printed ? status : 1;
}

} // namespace bw
