// korvel3-validate: the validation report, every measured dataset of the database beside every
// computation the calculator offers for it (docs/validation.md, docs/validation.csv,
// docs/validation/*.svg).
#include "Comparison.h"
#include "MeasuredData.h"
#include "ReportFiles.h"

#include "AlloyData.h"
#include "DatabaseDatasets.h"
#include "core/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    static const korvel::cli::Usage usage{
        "korvel3-validate", "korvel3-validate DATABASE DATA FOLDER",
        "Compares every measured dataset of the property database DATABASE with every method of the alloy calculator, "
        "whose inputs are the folder DATA (laid out as the repository's data/), and writes validation.md, validation.csv "
        "and validation/*.svg into FOLDER (run by the build target korvel_generate_validation).",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, usage))
        return *done;
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: korvel3-validate DATABASE DATA FOLDER\n");
        return 2;
    }
    try {
        const korvel::alloy::DatabaseDatasets database = korvel::alloy::DatabaseDatasets::read(argv[1]);
        const auto datasets = korvel::validation::readMeasuredDatasets(database, argv[1]);
        const korvel::alloy::AlloyData data = korvel::alloy::AlloyData::read(argv[2]);
        // Every method the calculator offers, the database's calculated rows among them.
        const korvel::alloy::AlloyCalculator calculator(data, &database);
        const korvel::validation::Report report = korvel::validation::compare(calculator, datasets);
        korvel::validation::writeReport(report, argv[3]);
        std::printf("%zu datasets, %zu method summaries written to %s\n", report.datasets.size(), report.methods.size(), argv[3]);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-validate: %s\n", e.what());
        return 1;
    }
}
