#pragma once
// The options every executable of the project shares: --help, --version and the
// refusal of an option it does not know. Plain C++, so the Qt-free tools use it
// too. A main calls handleStandardOptions first and stops with the code it gives.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korvel::cli {

struct Option {
    std::string name;      // "--codepage"
    std::string valueName; // "N"; empty for an option without a value
    std::string help;      // one line
};

struct Usage {
    std::string program;     // "korvel3-import"
    std::string synopsis;    // the lines after "usage: ", one form per line, each starting with the program's name
    std::string description; // a paragraph shown by --help after the synopsis
    std::vector<Option> options;
};

// The project's version (CMake's project version), e.g. "3.0".
const char* version();

// "korvel3-import (Korvel 3) 3.0" and a newline.
std::string versionText(const std::string& program);

// "usage: " and the synopsis; then, for --help, the description and the options.
std::string usageText(const Usage& usage);
std::string helpText(const Usage& usage);

// Reads the arguments (argv[0] is the program): --help or -h prints the help to
// out and gives 0, --version prints the version to out and gives 0, an option the
// usage does not list prints a complaint and the usage to err and gives 2, and
// so does a listed option whose value is missing. Anything else (positional
// arguments, the listed options, everything after "--") gives nothing: the
// program goes on and parses its arguments itself.
std::optional<int> handleStandardOptions(int argc, const char* const* argv, const Usage& usage, std::ostream& out,
                                         std::ostream& err);
std::optional<int> handleStandardOptions(int argc, char** argv, const Usage& usage);

// For a main's own argument checks: the problem (if any) and the usage to err; gives 2.
int usageError(const Usage& usage, std::ostream& err, const std::string& problem = {});

} // namespace korvel::cli
