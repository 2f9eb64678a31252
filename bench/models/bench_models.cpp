// Cost of one model curve: the 101-point viscosity curve (one exp() per point)
// and one Butler isotherm (one log() per point for the T lnT terms, no exp()),
// next to the cost of the transcendental calls alone.
#include "models/ButlerCatalogue.h"
#include "models/ViscosityCatalogue.h"
#include "models/ViscosityEngine.h"
#include "models/ViscosityModelRun.h"

#include <benchmark/benchmark.h>
#include <cmath>

using namespace korvel;

namespace {

const ViscosityBlock& agAu() { return ViscosityCatalogue::builtIn().system(QStringLiteral("Ag-Au"))->blocks.front(); }
const ViscosityModelRows* dravik() { return agAu().rows(ViscosityModel::at(0)); }

void BM_ViscosityCurve101(benchmark::State& state)
{
    const ViscosityBlock& b = agAu();
    const ViscosityModelRows* rows = dravik();
    for (auto _ : state) {
        auto points = viscosityCurve(&b, rows, 1273.0);
        benchmark::DoNotOptimize(points.data());
    }
    state.SetItemsProcessed(state.iterations() * ViscosityPointCount);
}
BENCHMARK(BM_ViscosityCurve101);

// The 101 exp() calls of one curve, with the same arguments.
void BM_Exp101(benchmark::State& state)
{
    double args[ViscosityPointCount];
    for (int i = 0; i < ViscosityPointCount; ++i)
        args[i] = (19768.0 - i * 23.6) / (GasConstant * 1273.0);
    for (auto _ : state) {
        double sum = 0;
        for (double a : args) {
            benchmark::DoNotOptimize(a);
            sum += std::exp(a);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * ViscosityPointCount);
}
BENCHMARK(BM_Exp101);

// A whole OK of the model panel: curve, 107 buffer lines, title, colour.
void BM_ViscosityRun(benchmark::State& state)
{
    const ViscosityCatalogue& c = ViscosityCatalogue::builtIn();
    ViscosityModelRun run(c);
    ViscosityRunInput in;
    in.systemName = QStringLiteral("Cu-Sb");
    in.publicationKey = QStringLiteral("[ ]");
    in.temperatureText = QStringLiteral("1373");
    in.modelText = QStringLiteral("ideal"); // Cu-Sb has constants and a key, no model rows yet
    in.locale = QLocale::c();
    for (auto _ : state) {
        run.setModelArmed(true);
        auto r = run.RunViscosityModel(in);
        benchmark::DoNotOptimize(r.bufferLines.size());
    }
    state.SetItemsProcessed(state.iterations() * ViscosityPointCount);
}
BENCHMARK(BM_ViscosityRun);

void BM_ButlerIsotherm(benchmark::State& state)
{
    const ButlerFit* fit = ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Ag-Au"));
    const auto xs = fit->compositions();
    for (auto _ : state) {
        double sum = 0;
        for (double x : xs)
            sum += fit->chartValue(x, 1273.0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(xs.size()));
}
BENCHMARK(BM_ButlerIsotherm);

// The 101 extended-precision log() calls of one Ag-Au isotherm.
void BM_LogL101(benchmark::State& state)
{
    for (auto _ : state) {
        long double sum = 0;
        for (int i = 0; i < ViscosityPointCount; ++i) {
            long double t = 1273.0L + i * 1e-9L;
            benchmark::DoNotOptimize(t);
            sum += std::log(t);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * ViscosityPointCount);
}
BENCHMARK(BM_LogL101);

void BM_ButlerSection(benchmark::State& state)
{
    const ButlerFit* fit = ButlerCatalogue::builtIn().isothermFit(QStringLiteral("Ag-Cu-Sn"));
    const auto xs = fit->compositions();
    for (auto _ : state) {
        double sum = 0;
        for (double x : xs)
            sum += fit->chartValue(x, 1000.0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(xs.size()));
}
BENCHMARK(BM_ButlerSection);

// First use: parsing both embedded catalogues.
void BM_LoadCatalogues(benchmark::State& state)
{
    ViscosityCatalogue::builtIn(); // registers the embedded files
    for (auto _ : state) {
        auto v = ViscosityCatalogue::load(ViscosityCatalogue::builtInGivenFiles(), ViscosityCatalogue::builtInGeneratedFiles());
        auto b = ButlerCatalogue::load(ButlerCatalogue::builtInGivenFiles(), ButlerCatalogue::builtInGeneratedFiles());
        benchmark::DoNotOptimize(v.systems().size());
        benchmark::DoNotOptimize(b.fits().size());
    }
}
BENCHMARK(BM_LoadCatalogues);

} // namespace

BENCHMARK_MAIN();
