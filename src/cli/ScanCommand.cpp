#include "cli/ScanCommand.h"

#include "actions/TabDelimitedExport.h"
#include "base/AccountName.h"
#include "base/PathMappings.h"
#include "base/Prefetch.h"
#include "base/Text.h"
#include "cli/CliActions.h"
#include "cli/CliPrompter.h"
#include "cli/JsonLines.h"
#include "cli/ReportFile.h"
#include "cli/ReportPrinter.h"
#include "lists/ColumnLayout.h"
#include "lists/SortState.h"
#include "session/ScanSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    QString importPrefix;
    bool json = false;
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
    if (!options.importPrefix.isEmpty() && options.rescueDirectory.isEmpty()) {
        problem = "--import-prefix goes with --rescue";
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

// Where path leads: its deepest existing folder with every link resolved,
// then the rest as written.
QString resolvedPath(const QString& path)
{
    QString rest;
    QFileInfo at(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    for (;;) {
        const QString real = at.canonicalFilePath();
        if (!real.isEmpty())
            return rest.isEmpty() ? real : real + u'/' + rest;
        const QString parent = at.absolutePath();
        if (parent == at.absoluteFilePath())
            return at.absoluteFilePath() + rest;
        rest = rest.isEmpty() ? at.fileName() : at.fileName() + u'/' + rest;
        at.setFile(parent);
    }
}

// Two files of one run on one path would overwrite each other, and an
// import file where the rescue could write a target would be lost: refused
// before the scan. A "{n}" counts from 1 in each.
bool checkOutputs(const ScanOptions& options, std::string& problem)
{
    struct Output {
        std::string option;
        QString path;
    };
    std::vector<Output> outputs;
    const auto add = [&](const std::string& option, const QString& path) {
        if (path.isEmpty())
            return;
        if (!path.contains(QLatin1String("{n}"))) {
            outputs.push_back({option, resolvedPath(path)});
            return;
        }
        for (int n = 1; n <= 20; ++n)
            outputs.push_back({option, resolvedPath(QString(path).replace(QLatin1String("{n}"), QString::number(n)))});
    };
    add("the log", QFile::decodeName(options.log.c_str()));
    add("--export", options.exportFile);
    add("--csv", options.csvFile);
    add("--csv's journal", options.csvFile.isEmpty() ? QString() : options.csvFile + QStringLiteral(".journal"));
    add("--report", options.report ? QFile::decodeName(options.report->c_str()) : QString());
    // Paths are compared whole; the list is short (a few times twenty).
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            if (outputs[i].option != outputs[j].option && outputs[i].path == outputs[j].path) {
                problem = outputs[i].option + " and " + outputs[j].option + " name the same file "
                        + QFile::encodeName(outputs[i].path).toStdString();
                return false;
            }
        }
    }
    if (options.rescueDirectory.isEmpty())
        return true;
    // Targets are OUTDIR/LIBRARY/AUTHOR/NAME.
    const QString out = resolvedPath(options.rescueDirectory);
    for (const Output& output : outputs) {
        if (output.option == "the log")
            continue;
        const QString inside = QDir(out).relativeFilePath(output.path);
        if (!inside.startsWith(QLatin1String("../")) && inside != QLatin1String("..") && inside.count(u'/') == 2) {
            problem = output.option + " lies where --rescue could write a document: "
                    + QFile::encodeName(output.path).toStdString();
            return false;
        }
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

bool readPath(QString& target, const char* option, const std::string& value, std::string& problem)
{
    if (value.empty()) {
        problem = std::string(option) + " takes a file or folder";
        return false;
    }
    target = argPath(value);
    return true;
}

// One row of the verb's options: a switch, or an option that takes the next
// word as its value; read() gets the empty text when the value is missing.
struct ScanOption {
    const char* name;
    bool takesValue;
    bool (*read)(ScanOptions& options, const std::string& value, std::string& problem);
};

const ScanOption scanOptions[] = {
    {"--sort", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         o.sortColumn = plainNumber(v);
         if (!o.sortColumn)
             problem = "--sort takes a column number (0 is the first column)";
         return o.sortColumn.has_value();
     }},
    {"--descending", false, [](ScanOptions& o, const std::string&, std::string&) { return o.descending = true; }},
    {"--export", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         if (v.empty())
             problem = "--export takes a file or folder";
         o.exportFile = QFile::decodeName(v.c_str());
         return !v.empty();
     }},
    {"--rescue", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) { return readPath(o.rescueDirectory, "--rescue", v, problem); }},
    {"--csv", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) { return readPath(o.csvFile, "--csv", v, problem); }},
    {"--backdate", false, [](ScanOptions& o, const std::string&, std::string&) { return o.backdate = true; }},
    {"--map", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         const auto mapping = PathMappings::parse(QFile::decodeName(v.c_str()));
         if (!mapping) {
             problem = "--map takes PREFIX=FOLDER";
             return false;
         }
         o.mappings.push_back({mapping->prefix, argPath(mapping->folder.toStdString())});
         return true;
     }},
    {"--report", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         if (!ReportFile::formOf(QFile::decodeName(v.c_str()))) {
             problem = "--report takes a file ending in .pdf, .txt, .csv, .htm or .qrp";
             return false;
         }
         o.report = v;
         return true;
     }},
    {"--import-prefix", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         // The server's name for the output folder: a ".." part would name another.
         const QString prefix = QFile::decodeName(v.c_str());
         if (!PathMappings::validPrefix(prefix) || QString(prefix).replace(u'\\', u'/').split(u'/').contains(QStringLiteral(".."))) {
             problem = "--import-prefix takes the server's name of the output folder, without a \"..\" part";
             return false;
         }
         o.importPrefix = prefix;
         return true;
     }},
    {"--format", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         if (v != "tsv" && v != "json") {
             problem = "--format takes tsv or json";
             return false;
         }
         o.json = v == "json";
         return true;
     }},
    {"--print", false, [](ScanOptions& o, const std::string&, std::string&) { return o.print = true; }},
    {"--printer", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         if (v.empty()) {
             problem = "--printer takes a printer's name";
             return false;
         }
         o.printer = QString::fromLocal8Bit(v);
         return o.printChoice = true;
     }},
    {"--copies", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         const auto copies = plainNumber(v);
         if (!copies || *copies < 1 || *copies > 99) {
             problem = "--copies takes a number from 1 to 99";
             return false;
         }
         o.printRequest.copies = *copies;
         return o.printChoice = true;
     }},
    {"--pages", true,
     [](ScanOptions& o, const std::string& v, std::string& problem) {
         const auto range = pageRange(v);
         if (!range) {
             problem = "--pages takes FROM-TO, two page numbers from 1 with FROM at most TO";
             return false;
         }
         o.printRequest.fromPage = range->first;
         o.printRequest.toPage = range->second;
         return o.printChoice = true;
     }},
};

const ScanOption* scanOption(const std::string& name)
{
    for (const ScanOption& option : scanOptions) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
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
        } else if (const ScanOption* option = scanOption(a)) {
            const std::string none;
            const std::string& value = !option->takesValue ? none : i + 1 < args.size() ? args[++i] : none;
            if (!option->read(options, value, problem))
                return std::nullopt;
        } else if (a.size() > 1 && a[0] == '-') {
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
    if (!checkActions(options, problem) || !checkOutputs(options, problem))
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

    // JSON Lines instead of "# " lines and tab-separated rows, keyed by keys.
    void setJson(std::vector<std::string> keys)
    {
        m_json = true;
        m_keys = std::move(keys);
    }

    void status(const QString& text)
    {
        if (m_json) {
            const std::string bytes = text.toStdString();
            JsonLines::appendObject(m_buffer, {{"status", bytes}});
        } else {
            m_buffer += "# ";
            m_buffer += text.toStdString();
            m_buffer += '\n';
        }
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

    // section counts from 1; atPause marks the rows written at a pause.
    void rows(const RowStore& rows, int section, bool atPause)
    {
        if (m_json) {
            jsonRows(rows, section, atPause);
            return;
        }
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

    void jsonRows(const RowStore& rows, int section, bool atPause)
    {
        const std::string extra =
            ", \"section\": " + std::to_string(section) + std::string(atPause ? ", \"pause\": true" : "");
        std::vector<std::pair<std::string_view, std::string_view>> fields;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows.at(i);
            fields.clear();
            fields.emplace_back(m_keys[0], row.caption);
            for (std::size_t k = 0; k < row.subItemCount() && k + 1 < m_keys.size(); ++k)
                fields.emplace_back(m_keys[k + 1], row.subItem(k));
            JsonLines::appendObject(m_buffer, fields, extra);
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
    bool m_json = false;
    std::vector<std::string> m_keys;
    bool m_live;
    bool m_failed = false;
    std::string m_failure;
};

} // namespace

bool ScanCommand::takesValue(const std::string& option) const
{
    const ScanOption* row = scanOption(option);
    return row && row->takesValue;
}

std::vector<std::string> ScanCommand::optionNames()
{
    std::vector<std::string> names;
    for (const ScanOption& option : scanOptions)
        names.emplace_back(option.name);
    return names;
}

bool ScanCommand::parses(const std::vector<std::string>& args, std::string& problem)
{
    return parseArgs(args, problem).has_value();
}

namespace {

// A row's keys in JSON: the list's column headings, then the names of the
// values no column shows.
std::vector<std::string> jsonKeys(const KindProfile& profile)
{
    std::vector<std::string> keys;
    for (const ColumnInfo& column : profile.columns())
        keys.emplace_back(column.caption);
    static const char* const contentsHidden[] = {"SizeLimit", "ThresholdText", "Department", "ReportDate"};
    static const char* const blobHidden[] = {"Unused", "Outcome"};
    if (profile.kind == ScanKind::Contents)
        keys.insert(keys.end(), std::begin(contentsHidden), std::end(contentsHidden));
    if (profile.kind == ScanKind::Structure)
        keys.insert(keys.end(), std::begin(blobHidden), std::end(blobHidden));
    return keys;
}

} // namespace

std::string ScanCommand::usage() const
{
    return "brindlewick-cli scan contents|documents|expire|structure LOG [--sort N] [--descending]\n"
           "         [--export FILE] (contents, expire; {n} in FILE: one file per export)\n"
           "         [--rescue OUTDIR --csv FILE [--import-prefix SERVER_PREFIX]] (documents) [--backdate] (structure)\n"
           "         [--map PREFIX=FOLDER]... [--format tsv|json]\n"
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

    if (options->json)
        output.setJson(jsonKeys(*options->profile));
    // What a user sees at a pause: the list, in the order asked for.
    int pauses = 0;
    const auto writeRows = [&](bool atPause) {
        if (options->sortColumn || options->descending) {
            sort.column = options->sortColumn.value_or(0);
            sort.direction = options->descending ? -1 : +1;
            session.rows().sort();
        }
        output.rows(session.rows(), atPause ? pauses : pauses + 1, atPause);
    };
    session.setPathMappings(PathMappings(options->mappings));
    session.setImportPrefix(options->importPrefix);
    session.chooseNative(QByteArray::fromStdString(options->log));
    CliActions actions({options->exportFile, options->rescueDirectory, options->csvFile, options->backdate}, session,
                       prompter);
    if (!actions.open()) {
        output.flush();
        return 1;
    }
    // From Parse on, as the scan shows them.
    QObject::connect(&session, &ScanSession::statusChanged, [&] { output.status(session.status()); });
    QObject::connect(&session, &ScanSession::scanFinishing, [&] { writeRows(false); });
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
            ++pauses;
            sawSection = true;
            writeRows(true);
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
