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

// Options that take a value, so that the value is not taken for the verb.
bool takesValue(const std::string& option)
{
    return option == "--sort" || option == "--export" || option == "--rescue" || option == "--csv" || option == "--map" || option == "--report" || option == "--format";
}

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--")
            break;
        if (word.size() > 1 && word[0] == '-') {
            if (takesValue(word))
                ++i;
            continue;
        }
        for (const Verb& verb : verbs) {
            if (word == verb.name) {
                std::vector<std::string> rest(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
                rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
                return verb.make()->run(rest, out, err, output);
            }
        }
        return usage(err, "unknown command '" + word + "'");
    }
    return usage(err, "expected: scan KIND LOG");
}

} // namespace bw
