#include "cli/Cli.h"

#include "BrindlewickVersion.h"
#include "cli/CompareCommand.h"
#include "cli/ScanCommand.h"

#include <memory>

namespace bw {

namespace {

struct Verb {
    const char* name;
    std::unique_ptr<CliCommand> (*make)();
};

template <typename C>
std::unique_ptr<CliCommand> make()
{
    return std::make_unique<C>();
}

const Verb verbs[] = {
    {"scan", make<ScanCommand>},
    {"compare", make<CompareCommand>},
};

void printUsage(std::ostream& out)
{
    for (const Verb& verb : verbs)
        out << "usage: " << verb.make()->usage() << '\n';
    out << "       brindlewick-cli --help | --version\n";
}

int usage(std::ostream& err, const std::string& problem)
{
    err << "brindlewick-cli: " << problem << '\n';
    printUsage(err);
    return 2;
}

} // namespace

std::optional<VerbCall> findVerb(const std::vector<std::string>& args, std::string& unknown)
{
    // The verb is the first word that is neither an option nor an option's
    // value, read by each verb's own table.
    for (const Verb& verb : verbs) {
        std::unique_ptr<CliCommand> command = verb.make();
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& word = args[i];
            if (word == "--")
                break;
            if (word.size() > 1 && word[0] == '-') {
                if (command->takesValue(word))
                    ++i;
                continue;
            }
            if (word == verb.name) {
                std::vector<std::string> rest(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
                rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
                return VerbCall{std::move(command), std::move(rest)};
            }
            if (unknown.empty())
                unknown = word;
            break;
        }
    }
    return std::nullopt;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliOutput& output)
{
    for (const std::string& word : args) {
        if (word == "--")
            break;
        if (word == "--help" || word == "-h") {
            out << "Reads GWCheck logs and lists what they report, without a window.\n";
            printUsage(out);
            return 0;
        }
        if (word == "--version") {
            out << "brindlewick-cli " << build::version << '\n';
            return 0;
        }
    }
    std::string unknown;
    if (std::optional<VerbCall> call = findVerb(args, unknown))
        return call->command->run(call->args, out, err, output);
    if (!unknown.empty())
        return usage(err, "unknown command '" + unknown + "'");
    return usage(err, "expected: scan KIND LOG");
}

} // namespace bw
