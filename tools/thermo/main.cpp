// korvel-thermo-generate: regenerates the computed model catalogue files.
//   korvel-thermo-generate <data folder> <output folder>
// reads <data folder>/thermo/*.csv and writes viscosity_rows.csv and butler_fits.csv.
#include "core/CommandLine.h"
#include "Generator.h"

#include <exception>
#include <iostream>

int main(int argc, char **argv)
{
    static const korvel::cli::Usage cliUsage{"korvel-thermo-generate", "korvel-thermo-generate DATADIR OUTDIR",
        "Regenerates the model catalogues (Butler fits, viscosity model inputs) from the thermodynamic data of DATADIR into OUTDIR.",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    if (argc != 3) {
        std::cerr << "usage: korvel-thermo-generate <data folder> <output folder>\n";
        return 2;
    }
    try {
        const korvel::thermo::GenerationResult result = korvel::thermo::generateCatalogues(argv[1]);
        if (!korvel::thermo::writeCatalogues(result, argv[2])) {
            std::cerr << "cannot write into " << argv[2] << "\n";
            return 1;
        }
        std::cout << result.viscosity.size() << " viscosity row pairs, " << result.butler.size()
                  << " Butler fits written to " << argv[2] << "\n";
        for (const auto &g : result.viscosity)
            std::cout << "  " << g.system << " " << g.block << " " << g.model << ": max |d eta| " << g.deviation.maxAbs
                      << " mPa*s, " << 100 * g.deviation.maxRel << " %\n";
        for (const auto &g : result.butler)
            std::cout << "  " << g.request.system << " " << g.request.use << ": max |d sigma| " << g.deviation.maxAbs
                      << " mN/m, " << 100 * g.deviation.maxRel << " %\n";
    } catch (const std::exception &e) {
        std::cerr << "korvel-thermo-generate: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
