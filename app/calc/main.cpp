// korvel3-calc: the properties of a liquid solder alloy at given temperatures, each value with its
// method and source, and the alloy's melting range.
//   korvel3-calc ALLOY [--mole] (--at T[,T...] | --from T --to T --step T) [--csv] [--verbose] [--data DIR] [--database FILE]
// An input it cannot use gives exit status 2 and a message on stderr naming the offending part,
// with nothing on stdout; inputs of the program it cannot read give exit status 1.
#include "AlloyCalculator.h"
#include "AlloyData.h"
#include "CalculatorOutput.h"
#include "MethodDeviations.h"
#include "DatabaseDatasets.h"
#include "core/CommandLine.h"
#include "core/Layout.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "usage: korvel3-calc ALLOY [--mole] (--at T[,T...] | --from T --to T --step T) [--csv] [--verbose] [--data DIR]\n"
    "          [--database FILE]\n"
    "  ALLOY   in mass %, the first element the balance: Sn-3.5Ag, Sn-3Ag-0.5Cu, Au-20Sn;\n"
    "          with --mole, mole fractions (Ag0.038Sn0.962) or mole % (Sn-3.8Ag)\n"
    "  T       a temperature with its unit: 250C, 523.15K; the step as 10K\n"
    "  --csv   rows T_K,T_C,property,value,unit,method,source,flags, then the liquidus and solidus\n"
    "  --verbose  each method with its deviation from the database's measurements\n"
    "          (Butler: mean 3.1 %, largest 7.4 %, 27 datasets; docs/validation.md)\n"
    "  --data  the folder of the calculator's inputs (default: Thermo in the program's Database folder)\n"
    "  --database  the property database whose datasets are methods too (default: korvel3.sqlite in\n"
    "          the program's Database folder)\n";

const korvel::cli::Usage kCliUsage{
    "korvel3-calc",
    "korvel3-calc ALLOY [--mole] (--at T[,T...] | --from T --to T --step T) [--csv] [--verbose] [--data DIR] [--database FILE]",
    "The density, molar volume, surface tension and viscosity of a liquid alloy at the temperatures given, each "
    "value with its method and source, and the alloy's liquidus and solidus. ALLOY is in mass %, the first element "
    "the balance (Sn-3.5Ag, Sn-3Ag-0.5Cu, Au-20Sn); with --mole, mole fractions (Ag0.038Sn0.962). Temperatures carry "
    "their unit: 250C, 523.15K.",
    {{"--mole", "", "Read the alloy as mole fractions."},
     {"--at", "T[,T...]", "One temperature or a list."},
     {"--from", "T", "First temperature of a range."},
     {"--to", "T", "Last temperature of a range."},
     {"--step", "T", "Step of the range, e.g. 10K."},
     {"--csv", "", "Rows T_K,T_C,property,value,unit,method,source,flags."},
     {"--verbose", "", "Each method with its deviation from the database's measurements, as the validation report states it."},
     {"--data", "DIR", "The folder of the calculator's inputs."},
     {"--database", "FILE", "The property database whose measured and calculated rows are methods too."}}};

int refuse(const std::string &message)
{
    std::fprintf(stderr, "korvel3-calc: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace korvel::alloy;
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, kCliUsage))
        return *done;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string alloyText, at, from, to, step;
    // The inputs sit in the Database folder of whichever layout the program file is in.
    const std::filesystem::path databaseDir = korvel::dirs::databasePathFor(korvel::dirs::programFileDir(argv[0]));
    std::string dataDir = (databaseDir / "Thermo").string();
    std::string databaseFile = (databaseDir / "korvel3.sqlite").string();
    bool mole = false, csv = false, verbose = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&](std::string &into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == "--mole")
            mole = true;
        else if (a == "--csv")
            csv = true;
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--at" || a == "--from" || a == "--to" || a == "--step" || a == "--data" || a == "--database") {
            std::string &into = a == "--at"     ? at
                                : a == "--from" ? from
                                : a == "--to"   ? to
                                : a == "--step" ? step
                                : a == "--data" ? dataDir
                                                : databaseFile;
            if (!value(into))
                return refuse(a + " needs a value");
        } else if (a.rfind("--", 0) == 0)
            return refuse("unknown option " + a);
        else if (alloyText.empty())
            alloyText = a;
        else
            return refuse("a second alloy \"" + a + "\"");
    }
    if (alloyText.empty())
        return refuse("no alloy given\n" + std::string(kUsage));
    const bool range = !from.empty() || !to.empty() || !step.empty();
    if (at.empty() == !range || (range && (from.empty() || to.empty() || step.empty())))
        return refuse("give --at T, or --from T --to T --step T\n" + std::string(kUsage));

    AlloyData data;
    DatabaseDatasets database;
    try {
        data = AlloyData::read(dataDir);
        if (!std::filesystem::is_regular_file(databaseFile))
            throw std::runtime_error(databaseFile + ": no such database file");
        database = DatabaseDatasets::read(databaseFile);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-calc: %s\n", e.what());
        return 1;
    }
    MethodDeviations deviations;
    if (verbose) {
        try {
            deviations = MethodDeviations::read(MethodDeviations::fileFor(dataDir));
        } catch (const std::exception &e) {
            std::fprintf(stderr, "korvel3-calc: the method deviations cannot be read: %s\n", e.what());
            return 1;
        }
    }
    const AlloyCalculator calculator(data, &database);
    try {
        const Composition alloy = parseAlloy(alloyText, mole ? Basis::Mole : Basis::Mass, calculator.molarMasses());
        const std::vector<double> temperatures =
            range ? temperatureRange(parseTemperature(from), parseTemperature(to), parseTemperatureStep(step)) : parseTemperatureList(at);
        const AlloyResult result = deviations.described(calculator.compute(alloy, temperatures));
        const std::string text = csv ? resultCsv(result) : resultText(result);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const InputError &e) {
        return refuse(e.what());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-calc: %s\n", e.what());
        return 1;
    }
}
