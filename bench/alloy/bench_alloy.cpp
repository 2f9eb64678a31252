// The alloy calculator on a ternary alloy (Sn-3.5Ag-0.9Cu, 20 temperatures from 200 to 390 °C:
// every property by every method, the liquidus, solidus and phases present, the shipped
// database's datasets among the methods), with and without reading its inputs; reading the
// database's datasets alone; the floor is the evaluation of the catalogue's fitted closed forms at the
// same temperatures (the generated Ag-Sn Butler isotherm fit and the three Ag-Sn viscosity row
// pairs), which is what the program's model curves cost.
#include "AlloyCalculator.h"
#include "CsvTable.h"
#include "DatabaseDatasets.h"
#include "Butler.h"
#include "Fitting.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

using namespace korvel;

namespace {

const std::string kData = std::string(KORVEL_SOURCE_DIR) + "/data";
const std::string kDatabase = KORVEL_SHIPPED_DATABASE;

std::vector<double> temperatures()
{
    return alloy::temperatureRange(alloy::parseTemperature("200C"), alloy::parseTemperature("390C"), alloy::parseTemperatureStep("10K"));
}

void ternaryAlloy(benchmark::State &state)
{
    const alloy::AlloyData data = alloy::AlloyData::read(kData);
    const alloy::DatabaseDatasets database = alloy::DatabaseDatasets::read(kDatabase);
    const alloy::AlloyCalculator calculator(data, &database);
    const alloy::Composition sac = alloy::parseAlloy("Sn-3.5Ag-0.9Cu", alloy::Basis::Mass, calculator.molarMasses());
    const auto Ts = temperatures();
    for (auto _ : state) {
        const alloy::AlloyResult r = calculator.compute(sac, Ts);
        benchmark::DoNotOptimize(r.values.data());
    }
}

void ternaryAlloyWithInputs(benchmark::State &state)
{
    const auto Ts = temperatures();
    for (auto _ : state) {
        const alloy::AlloyData data = alloy::AlloyData::read(kData);
        const alloy::DatabaseDatasets database = alloy::DatabaseDatasets::read(kDatabase);
        const alloy::AlloyCalculator calculator(data, &database);
        const alloy::AlloyResult r =
            calculator.compute(alloy::parseAlloy("Sn-3.5Ag-0.9Cu", alloy::Basis::Mass, calculator.molarMasses()), Ts);
        benchmark::DoNotOptimize(r.values.data());
    }
}

void databaseDatasets(benchmark::State &state)
{
    for (auto _ : state) {
        const alloy::DatabaseDatasets database = alloy::DatabaseDatasets::read(kDatabase);
        benchmark::DoNotOptimize(database.datasets().data());
    }
}

// The generated rows of one fit or row pair as the files write them.
std::vector<std::vector<double>> rowsOf(const std::string &file, const std::string &prefix)
{
    std::ifstream in(kData + "/models/generated/" + file);
    std::vector<std::vector<double>> out;
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) {
            std::vector<double> v;
            const auto fields = thermo::splitCsvLine(line);
            for (std::size_t i = prefix.empty() ? 0 : 4; i < fields.size(); ++i)
                v.push_back(fields[i].empty() || !std::isdigit(static_cast<unsigned char>(fields[i].back())) ? 0.0 : std::atof(fields[i].c_str()));
            out.push_back(v);
        }
    return out;
}

// A row of one of data/thermo's tables: the first whose leading fields are `key`.
std::vector<std::string> tableRow(const std::string &file, const std::vector<std::string> &key)
{
    for (const auto &row : thermo::CsvTable::read(kData + "/thermo/" + file).rows)
        if (std::equal(key.begin(), key.end(), row.begin()))
            return row;
    throw std::runtime_error(file + ": no row " + key.front());
}

void catalogueFitsFloor(benchmark::State &state)
{
    // Cu-Sn at x(Sn) = 0.9: the generated Butler isotherm fit with its pure-component lines and
    // the three generated viscosity row pairs of block 1 with the block's constants.
    const double x = 0.9;
    const auto butler = rowsOf("butler_fits.csv", "L,Cu-Sn,iso,1,"); // k, a, b, c, d, source
    const auto lines = tableRow("butler_fits.csv", {"Cu-Sn", "iso", "1"});
    const thermo::Line sigma1{std::stod(lines[5]), std::stod(lines[6])}, sigma2{std::stod(lines[7]), std::stod(lines[8])};
    const auto b = tableRow("viscosity_blocks.csv", {"Cu-Sn", "1"});
    const thermo::PureConstants block{std::stod(b[2]), std::stod(b[3]), std::stod(b[4]), std::stod(b[5])};
    std::vector<thermo::ViscosityRows> models;
    for (const char *model : {"Drv", "M-H", "Kap"}) {
        const auto rows = rowsOf("viscosity_rows.csv", std::string("row,Cu-Sn,1,") + model + ",");
        if (rows.size() != 2)
            throw std::runtime_error(std::string("no Cu-Sn rows of ") + model);
        thermo::ViscosityRows r;
        for (std::size_t k = 0; k < 6; ++k) {
            r.a[k] = rows[0][1 + 2 * k];
            r.b[k] = rows[0][2 + 2 * k];
            r.c[k] = rows[1][1 + 2 * k];
            r.d[k] = rows[1][2 + 2 * k];
        }
        models.push_back(r);
    }
    const auto Ts = temperatures();
    for (auto _ : state) {
        double sum = 0;
        for (double T : Ts) {
            double L = 0, p = 1;
            for (const auto &row : butler) {
                L += (row[1] + row[2] * T + row[3] * T * std::log(T) + row[4] * T * T) * p;
                p *= 1 - 2 * x;
            }
            sum += (1 - x) * sigma1.at(T) + x * sigma2.at(T) + x * (1 - x) * L;
            for (const auto &m : models)
                sum += thermo::evalViscosityForm(block, m, x, T);
        }
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

BENCHMARK(ternaryAlloy)->Unit(benchmark::kMillisecond);
BENCHMARK(ternaryAlloyWithInputs)->Unit(benchmark::kMillisecond);
BENCHMARK(databaseDatasets)->Unit(benchmark::kMillisecond);
BENCHMARK(catalogueFitsFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
