#include "CommandLine.h"

#include <cctype>
#include <iostream>

namespace korvel::cli {

const char* version() { return KORVEL_VERSION; }

std::string versionText(const std::string& program) { return program + " (Korvel 3) " + version() + "\n"; }

std::string usageText(const Usage& usage)
{
    std::string text;
    std::string line;
    bool first = true;
    for (const char c : usage.synopsis + "\n") {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (!line.empty()) {
            text += (first ? "usage: " : "       ") + line + "\n";
            first = false;
        }
        line.clear();
    }
    return text;
}

std::string helpText(const Usage& usage)
{
    std::string text = usageText(usage);
    if (!usage.description.empty())
        text += "\n" + usage.description + "\n";
    std::vector<Option> options = usage.options;
    options.push_back({"-h, --help", "", "Show this help and exit."});
    options.push_back({"--version", "", "Show the version and exit."});
    text += "\nOptions:\n";
    for (const Option& o : options) {
        std::string head = "  " + o.name + (o.valueName.empty() ? "" : " " + o.valueName);
        if (head.size() < 24)
            head.resize(24, ' ');
        else
            head += "\n" + std::string(24, ' ');
        text += head + o.help + "\n";
    }
    return text;
}

int usageError(const Usage& usage, std::ostream& err, const std::string& problem)
{
    if (!problem.empty())
        err << usage.program << ": " << problem << "\n";
    err << usageText(usage);
    err << "Try '" << usage.program << " --help' for more information.\n";
    return 2;
}

namespace {
// "-" alone and negative numbers are arguments, not options.
bool looksLikeOption(const std::string& a)
{
    return a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1])) && a[1] != '.';
}
} // namespace

std::optional<int> handleStandardOptions(int argc, const char* const* argv, const Usage& usage, std::ostream& out,
                                         std::ostream& err)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i] ? argv[i] : "";
        if (a == "--")
            break;
        if (!looksLikeOption(a))
            continue;
        if (a == "--help" || a == "-h") {
            out << helpText(usage);
            return 0;
        }
        if (a == "--version") {
            out << versionText(usage.program);
            return 0;
        }
        const std::string name = a.substr(0, a.find('='));
        const Option* known = nullptr;
        for (const Option& o : usage.options)
            known = o.name == name ? &o : known;
        if (!known)
            return usageError(usage, err, "unknown option '" + a + "'");
        if (known->valueName.empty()) {
            if (name != a)
                return usageError(usage, err, "the option " + name + " takes no value");
        } else if (name == a && ++i >= argc) {
            return usageError(usage, err, "the option " + name + " needs a value " + known->valueName);
        }
    }
    return std::nullopt;
}

std::optional<int> handleStandardOptions(int argc, char** argv, const Usage& usage)
{
    return handleStandardOptions(argc, argv, usage, std::cout, std::cerr);
}

} // namespace korvel::cli
