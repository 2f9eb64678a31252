// korvel3-phasegen: the computed phase diagrams of the document tree.
//   korvel3-phasegen DATA_DIR DIAGRAM_DIR   draws DIAGRAM_DIR/Binary systems/<system>.jpg
//   korvel3-phasegen --data DATA_DIR        rewrites the committed results: DATA_DIR/docs/Diagram/References.txt,
//                                           DATA_DIR/thermo/diagrams/invariants.csv and systems.csv
#include "DiagramPainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

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
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QStringLiteral("--data")) {
            const QString data = args[2];
            const auto set = korvel::thermo::phase::computeDiagramSet(data.toStdString());
            QDir().mkpath(data + QStringLiteral("/thermo/diagrams"));
            const bool ok = writeText(data + QStringLiteral("/docs/Diagram/References.txt"), korvel::thermo::phase::referencesText(set)) &&
                            writeText(data + QStringLiteral("/thermo/diagrams/invariants.csv"), korvel::thermo::phase::invariantsCsv(set)) &&
                            writeText(data + QStringLiteral("/thermo/diagrams/systems.csv"), korvel::thermo::phase::systemsCsv(set));
            return ok ? 0 : 1;
        }
        if (args.size() != 3) {
            std::fprintf(stderr, "usage: korvel3-phasegen DATA_DIR DIAGRAM_DIR | --data DATA_DIR\n");
            return 2;
        }
        const auto set = korvel::thermo::phase::computeDiagramSet(args[1].toStdString());
        const QString folder = args[2] + QStringLiteral("/Binary systems");
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "korvel3-phasegen: cannot create %s\n", qPrintable(folder));
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
        std::printf("korvel3-phasegen: %zu diagrams, %zu systems without one\n", set.diagrams.size(), set.missing.size());
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvel3-phasegen: %s\n", e.what());
        return 1;
    }
}
