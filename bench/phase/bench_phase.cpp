// Cost of the phase diagrams: one binary diagram (the slowest systems have a phase with two
// internal variables), the whole shipped set as the build computes it, one isotherm of a
// ternary section and a whole section on one core.
#include "phase/DiagramSet.h"
#include "phase/SectionSet.h"
#include "tdb/Reader.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace korvel::thermo;

namespace {

const std::string kData = KORVEL_SOURCE_DIR "/data";

const tdb::Database &file(const std::string &name)
{
    static const tdb::Database nist = tdb::readDatabaseFile(kData + "/thermo/tdb/NIST-solder_2017-08-04.tdb");
    static const tdb::Database cost = tdb::readDatabaseFile(kData + "/thermo/tdb/cost507R_opencalphad-examples.TDB");
    return name == "cost" ? cost : nist;
}

void binaryDiagram(benchmark::State &state, const char *db, const char *a, const char *b,
                   phase::BinarySystem::Unassessed unassessed)
{
    for (auto _ : state) {
        const phase::BinarySystem system(file(db), a, b, unassessed);
        const phase::BinaryDiagram d = phase::computeDiagram(system);
        benchmark::DoNotOptimize(d.invariants.data());
    }
}

void BM_ReadNistFile(benchmark::State &state)
{
    for (auto _ : state) {
        const tdb::Database db = tdb::readDatabaseFile(kData + "/thermo/tdb/NIST-solder_2017-08-04.tdb");
        benchmark::DoNotOptimize(db.parameters.data());
    }
}

void BM_AllShippedDiagrams(benchmark::State &state)
{
    for (auto _ : state) {
        const phase::DiagramSet set = phase::computeDiagramSet(kData);
        benchmark::DoNotOptimize(set.diagrams.data());
    }
}

// One isotherm (three hulls) and a whole section, in the calling thread.
void sectionIsotherm(benchmark::State &state, const char *system, double T)
{
    const phase::SectionDefinition d = phase::readSectionDefinition(kData + "/sources/sections.csv", system);
    const phase::TernarySystem ternary(file("nist"), d.order);
    for (auto _ : state) {
        const phase::SectionIsotherm iso = ternary.isotherm(d.line, T);
        benchmark::DoNotOptimize(iso.fields.data());
    }
}

void verticalSection(benchmark::State &state, const char *system)
{
    const phase::SectionDefinition d = phase::readSectionDefinition(kData + "/sources/sections.csv", system);
    for (auto _ : state) {
        const phase::TernarySystem ternary(file("nist"), d.order);
        const phase::VerticalSection s = phase::computeSection(ternary, d.line);
        state.counters["isotherms"] = static_cast<double>(s.isotherms.size());
        benchmark::DoNotOptimize(s.invariants.data());
    }
}

} // namespace

BENCHMARK_CAPTURE(sectionIsotherm, AgCuSn_500K, "Ag-Cu-Sn", 500.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sectionIsotherm, AgCuSn_1000K, "Ag-Cu-Sn", 1000.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(verticalSection, AgCuSn, "Ag-Cu-Sn")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(verticalSection, AgBiSn, "Ag-Bi-Sn")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadNistFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(binaryDiagram, PbSn, "nist", "PB", "SN", phase::BinarySystem::Unassessed::Ideal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(binaryDiagram, AgSn, "nist", "AG", "SN", phase::BinarySystem::Unassessed::Ideal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(binaryDiagram, CuSn, "nist", "CU", "SN", phase::BinarySystem::Unassessed::Ideal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(binaryDiagram, AlZn, "cost", "AL", "ZN", phase::BinarySystem::Unassessed::PureForms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllShippedDiagrams)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
