// korvel3-phasegen: the computed phase diagrams of the document tree.
//   korvel3-phasegen DATA_DIR DIAGRAM_DIR   draws DIAGRAM_DIR/Binary systems/<system>.jpg and the
//                                           vertical sections DIAGRAM_DIR/Ternary systems/<system>.jpg
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
            QDir().mkpath(data + QStringLiteral("/thermo/diagrams"));
            const bool ok = writeText(data + QStringLiteral("/docs/Diagram/References.txt"),
                                      korvel::thermo::phase::referencesText(set) + korvel::thermo::phase::sectionReferencesText(ternary)) &&
                            writeText(data + QStringLiteral("/thermo/diagrams/invariants.csv"), korvel::thermo::phase::invariantsCsv(set)) &&
                            writeText(data + QStringLiteral("/thermo/diagrams/systems.csv"), korvel::thermo::phase::systemsCsv(set)) &&
                            writeText(data + QStringLiteral("/thermo/diagrams/ternary_invariants.csv"),
                                      korvel::thermo::phase::sectionInvariantsCsv(ternary));
            return ok ? 0 : 1;
        }
        if (args.size() != 3) {
            std::fprintf(stderr, "usage: korvel3-phasegen DATA_DIR DIAGRAM_DIR | --data DATA_DIR\n");
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
        }
        std::printf("korvel3-phasegen: %zu diagrams, %zu systems without one, %zu ternary sections\n", set.diagrams.size(),
                    set.missing.size(), ternary.size());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-phasegen: %s\n", e.what());
        return 1;
    }
}
