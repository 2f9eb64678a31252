// korvel3-dbbuild SCHEMA OUTPUT TABLEDIR...
// Builds the property database from the schema and the CSV table files.
#include "core/CommandLine.h"
#include "DatabaseBuilder.h"

#include <QCoreApplication>
#include <QTextStream>
#include <exception>

int main(int argc, char** argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-dbbuild", "korvel3-dbbuild SCHEMA OUTPUT [TABLEDIR...]",
        "Builds the property database OUTPUT from the schema SCHEMA and the CSV table files of the folders TABLEDIR (run by the build).",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "usage: korvel3-dbbuild SCHEMA OUTPUT [TABLEDIR...]\n";
        return 2;
    }
    const QString schema = args.takeFirst();
    const QString output = args.takeFirst();
    try {
        const auto report = korvel::build::buildDatabase(schema, args, output);
        QTextStream(stdout) << output << ": " << report.tables << " table files, " << report.rows << " rows\n";
    } catch (const std::exception& e) {
        err << "korvel3-dbbuild: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
