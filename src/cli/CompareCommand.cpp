#include "cli/CompareCommand.h"

#include "base/DisplayText.h"
#include "base/ExportFile.h"
#include "cli/JsonLines.h"
#include "session/ContentsComparison.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <optional>
#include <thread>

namespace bw {

namespace {

struct CompareOptions {
    std::string before;
    std::string after;
    ContentsComparison::Order order = ContentsComparison::Order::Change;
    bool descending = false;
    QString exportFile;
    bool json = false;
};

const char* const valueOptions[] = {"--sort", "--export", "--format"};

std::optional<CompareOptions> parse(const std::vector<std::string>& args, std::string& problem)
{
    CompareOptions options;
    std::vector<std::string> words;
    bool onlyWords = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyWords || a == "-" || a.empty() || a[0] != '-') {
            words.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyWords = true;
        } else if (a == "--descending") {
            options.descending = true;
        } else if (a == "--sort" || a == "--export" || a == "--format") {
            if (i + 1 >= args.size()) {
                problem = a + " takes a value";
                return std::nullopt;
            }
            const std::string& v = args[++i];
            if (a == "--sort") {
                if (v == "change")
                    options.order = ContentsComparison::Order::Change;
                else if (v == "name")
                    options.order = ContentsComparison::Order::Name;
                else if (v == "total")
                    options.order = ContentsComparison::Order::Total;
                else {
                    problem = "--sort takes change, name or total";
                    return std::nullopt;
                }
            } else if (a == "--format") {
                if (v != "tsv" && v != "json") {
                    problem = "--format takes tsv or json";
                    return std::nullopt;
                }
                options.json = v == "json";
            } else {
                if (v.empty()) {
                    problem = "--export takes a file name";
                    return std::nullopt;
                }
                options.exportFile = QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(v.c_str())));
            }
        } else {
            problem = "unknown option '" + a + "'";
            return std::nullopt;
        }
    }
    if (words.size() != 3 || words[0] != "contents") {
        problem = "expected: compare contents OLD.log NEW.log";
        return std::nullopt;
    }
    if (words[1].empty() || words[2].empty()) {
        problem = "the log file name is empty";
        return std::nullopt;
    }
    options.before = words[1];
    options.after = words[2];
    return options;
}

std::string signedNumber(std::int64_t n)
{
    return (n > 0 ? "+" : "") + std::to_string(n);
}

} // namespace

std::string CompareCommand::usage() const
{
    return "brindlewick-cli compare contents OLD.log NEW.log [--sort change|name|total] [--descending]\n"
           "         [--export FILE] [--format tsv|json]";
}

bool CompareCommand::takesValue(const std::string& option) const
{
    for (const char* v : valueOptions) {
        if (option == v)
            return true;
    }
    return false;
}

int CompareCommand::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliOutput&)
{
    std::string problem;
    const auto options = parse(args, problem);
    if (!options) {
        err << "brindlewick-cli: " << problem << '\n' << "usage: " << usage() << '\n';
        return 2;
    }
    ContentsComparison::Run before, after;
    // The two logs are read at once: they have nothing to share.
    QString beforeError, afterError;
    bool beforeRead = false;
    std::thread older([&] {
        beforeRead = ContentsComparison::readRun(QByteArray::fromStdString(options->before), before, beforeError);
    });
    const bool afterRead = ContentsComparison::readRun(QByteArray::fromStdString(options->after), after, afterError);
    older.join();
    for (const auto& [read, error] : {std::pair{beforeRead, &beforeError}, std::pair{afterRead, &afterError}}) {
        if (!read) {
            err << "brindlewick-cli: " << error->toStdString() << '\n';
            return 1;
        }
    }
    const auto users = ContentsComparison::compare(before, std::move(after), options->order, options->descending);
    int both = 0, added = 0, gone = 0;
    for (const auto& u : users)
        (u.state == ContentsComparison::State::Both ? both : u.state == ContentsComparison::State::New ? added : gone)++;

    const std::vector<std::string> statuses = {
        "Old log: " + displayText(options->before).toStdString(),
        "New log: " + displayText(options->after).toStdString(),
        std::to_string(both) + " users in both, " + std::to_string(added) + " new, " + std::to_string(gone) + " gone",
        "Total Size: " + std::to_string(before.total) + " then, " + std::to_string(after.total) + " now, change " +
            signedNumber(after.total - before.total),
    };
    const QStringList names = ContentsComparison::columnNames();
    std::vector<std::string> keys;
    for (const QString& n : names)
        keys.push_back(n.toStdString());

    // Millions of rows: written a block at a time, not gathered whole.
    std::string text;
    const auto pass = [&out, &text] {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
        return static_cast<bool>(out);
    };
    for (const std::string& s : statuses) {
        if (options->json)
            text += JsonLines::status(s);
        else
            text += "# " + s + '\n';
    }
    std::vector<std::pair<std::string_view, std::string_view>> fields;
    for (const auto& u : users) {
        if (options->json) {
            const std::vector<std::string> values = ContentsComparison::values(u);
            fields.clear();
            for (std::size_t k = 0; k < values.size(); ++k)
                fields.emplace_back(keys[k], values[k]);
            JsonLines::appendObject(text, fields);
        } else {
            ContentsComparison::appendTsv(u, text);
            text += '\n';
        }
        if (text.size() >= (1u << 20) && !pass())
            break;
    }
    pass();
    out.flush();
    if (!out) {
        err << "brindlewick-cli: standard output: write failed\n";
        return 1;
    }
    // The export after the output, as the same rows with Windows line ends.
    if (!options->exportFile.isEmpty()) {
        ExportFile file(options->exportFile);
        bool saved = file.open();
        text = names.join(u'\t').toStdString() + "\r\n";
        for (const auto& u : users) {
            if (!saved)
                break;
            ContentsComparison::appendTsv(u, text);
            text += "\r\n";
            if (text.size() >= (1u << 20)) {
                saved = file.write(text);
                text.clear();
            }
        }
        saved = saved && file.write(text) && file.commit();
        if (!saved) {
            err << "brindlewick-cli: " << file.errorText().toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace bw
