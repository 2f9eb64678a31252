// korvel3-phasegen: the computed phase diagrams of the document tree.
//   korvel3-phasegen DATA_DIR DIAGRAM_DIR [RESULTS_DIR]
//                                           draws DIAGRAM_DIR/Binary systems/<system>.jpg and the
//                                           vertical sections DIAGRAM_DIR/Ternary systems/<system>.jpg and their
//                                           solder corners "<system> solder corner.jpg";
//                                           with RESULTS_DIR also writes there the results of the
//                                           same computation as --data writes them, and
//                                           section_extent.csv (what the tests compare)
//   korvel3-phasegen --data DATA_DIR        rewrites the committed results: DATA_DIR/docs/Diagram/References.txt,
//                                           DATA_DIR/thermo/diagrams/invariants.csv, systems.csv and
//                                           ternary_invariants.csv
#include "core/CommandLine.h"
#include "DiagramPainter.h"
#include "SectionPainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <future>

namespace {

bool writeText(const QString &path, const std::string &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "korvel3-phasegen: cannot write %s\n", qPrintable(path));
        return false;
    }
    f.write(text.data(), static_cast<qint64>(text.size()));
    return true;
}

// References.txt, invariants.csv, systems.csv and ternary_invariants.csv of one computation.
bool writeResults(const QString &referencesPath, const QString &tableDir, const korvel::thermo::phase::DiagramSet &set,
                  const std::vector<korvel::thermo::phase::SystemSection> &ternary)
{
    using namespace korvel::thermo::phase;
    return QDir().mkpath(tableDir) && writeText(referencesPath, referencesText(set) + sectionReferencesText(ternary)) &&
           writeText(tableDir + QStringLiteral("/invariants.csv"), invariantsCsv(set)) &&
           writeText(tableDir + QStringLiteral("/systems.csv"), systemsCsv(set)) &&
           writeText(tableDir + QStringLiteral("/ternary_invariants.csv"), sectionInvariantsCsv(ternary));
}

} // namespace

int main(int argc, char **argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-phasegen", "korvel3-phasegen DATA_DIR DIAGRAM_DIR\nkorvel3-phasegen --data DATA_DIR",
        "Computes the phase diagrams and sections from the parameter files of DATA_DIR and draws them into DIAGRAM_DIR; with --data, rewrites the committed references and invariant tables of DATA_DIR instead (run by the build).",
        {{"--data", "DATA_DIR", "Rewrite the committed result tables of DATA_DIR."}}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QStringLiteral("--data")) {
            const QString data = args[2];
            auto sections = std::async(std::launch::async, [&] { return korvel::thermo::phase::computeSectionSet(data.toStdString()); });
            const auto set = korvel::thermo::phase::computeDiagramSet(data.toStdString());
            const auto ternary = sections.get();
            return writeResults(data + QStringLiteral("/docs/Diagram/References.txt"), data + QStringLiteral("/thermo/diagrams"), set,
                                ternary)
                       ? 0
                       : 1;
        }
        if (args.size() != 3 && args.size() != 4) {
            std::fprintf(stderr, "usage: korvel3-phasegen DATA_DIR DIAGRAM_DIR [RESULTS_DIR] | --data DATA_DIR\n");
            return 2;
        }
        auto sections = std::async(std::launch::async, [&] { return korvel::thermo::phase::computeSectionSet(args[1].toStdString()); });
        const auto set = korvel::thermo::phase::computeDiagramSet(args[1].toStdString());
        const QString folder = args[2] + QStringLiteral("/Binary systems");
        const QString ternaryFolder = args[2] + QStringLiteral("/Ternary systems");
        for (const QString &f : {folder, ternaryFolder})
            if (!QDir().mkpath(f)) {
                std::fprintf(stderr, "korvel3-phasegen: cannot create %s\n", qPrintable(f));
                return 1;
            }
        const korvel::phasegen::DiagramPainter painter;
        for (const auto &d : set.diagrams) {
            const QString path = folder + QLatin1Char('/') + QString::fromStdString(d.system) + QStringLiteral(".jpg");
            if (!painter.paint(d).save(path, "JPG", 90)) {
                std::fprintf(stderr, "korvel3-phasegen: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
        const auto ternary = sections.get();
        const korvel::phasegen::SectionPainter sectionPainter;
        for (const auto &s : ternary) {
            const QString path = ternaryFolder + QLatin1Char('/') + QString::fromStdString(s.definition.system) + QStringLiteral(".jpg");
            if (!sectionPainter.paint(s).save(path, "JPG", 90)) {
                std::fprintf(stderr, "korvel3-phasegen: cannot write %s\n", qPrintable(path));
                return 1;
            }
            // The corner that matters for solders: the added element up to x = 0.1.
            const QString corner = ternaryFolder + QLatin1Char('/') + QString::fromStdString(s.definition.system) +
                                   QStringLiteral(" solder corner.jpg");
            if (!sectionPainter.paint(s, korvel::phasegen::SectionPainter::kSolderCorner).save(corner, "JPG", 90)) {
                std::fprintf(stderr, "korvel3-phasegen: cannot write %s\n", qPrintable(corner));
                return 1;
            }
        }
        if (args.size() == 4) {
            const QString results = args[3];
            if (!writeResults(results + QStringLiteral("/References.txt"), results, set, ternary) ||
                !writeText(results + QStringLiteral("/section_extent.csv"), korvel::thermo::phase::sectionExtentCsv(ternary)))
                return 1;
        }
        std::printf("korvel3-phasegen: %zu diagrams, %zu systems without one, %zu ternary sections\n", set.diagrams.size(),
                    set.missing.size(), ternary.size());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-phasegen: %s\n", e.what());
        return 1;
    }
}
