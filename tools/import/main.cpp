// korvel3-import: builds a property database for the program from a folder of
// Paradox tables or of CSV files (see docs/import.md).
#include "core/CommandLine.h"
#include "CsvSource.h"
#include "Importer.h"
#include "Interruption.h"
#include "ParadoxReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <exception>

using namespace korvel::import;

namespace {

const char* const kUsage =
    "usage: korvel3-import paradox DIR OUT.sqlite [--codepage N]\n"
    "       korvel3-import csv DIR OUT.sqlite [--base BASE.sqlite]\n"
    "Reads every table file of DIR (TABLE.db or TABLE.csv) and writes the database OUT.sqlite;\n"
    "start the program on it with: korvel3 --database FOLDER-OF-OUT (the file named korvel3.sqlite).\n";

// The table files of the folder with that extension, in name order.
QStringList tableFiles(const QString& dir, const QString& suffix)
{
    QStringList files;
    const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& f : entries) {
        if (f.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
            files << f.filePath();
    }
    return files;
}

int usage(QTextStream& err)
{
    err << kUsage;
    return 2;
}

// After SIGINT or SIGTERM: what was left, and the exit status of a run the signal ended.
int interrupted(QTextStream& err, const QString& output)
{
    const int signal = interruptSignal();
    err << "korvel3-import: interrupted by " << signalName(signal) << "; " << output
        << " not written, the temporary files removed\n";
    return 128 + signal;
}

} // namespace

int main(int argc, char** argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-import", "korvel3-import paradox DIR OUT.sqlite [--codepage N]\nkorvel3-import csv DIR OUT.sqlite [--base BASE.sqlite]",
        "Reads every table file of DIR (TABLE.db or TABLE.csv) and writes the property database OUT.sqlite; start the program on it with: korvel3 --database FOLDER-OF-OUT (the file must be named korvel3.sqlite).",
        {{"--codepage", "N", "Code page of the Paradox tables' text (paradox)."}, {"--base", "BASE.sqlite", "Merge into a copy of this database (csv)."}}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    QCoreApplication app(argc, argv);
    installInterruptHandlers();
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return usage(err);
    const QString mode = args.takeFirst();
    const QString dir = args.takeFirst();
    const QString output = args.takeFirst();
    ImportOptions options;
    int codePage = 0;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (args.isEmpty())
            return usage(err);
        const QString value = args.takeFirst();
        if (mode == QLatin1String("csv") && option == QLatin1String("--base")) {
            options.basePath = value;
        } else if (mode == QLatin1String("paradox") && option == QLatin1String("--codepage")) {
            bool ok = false;
            codePage = value.toInt(&ok);
            if (!ok || codePage <= 0)
                return usage(err);
        } else {
            return usage(err);
        }
    }
    if (mode != QLatin1String("paradox") && mode != QLatin1String("csv"))
        return usage(err);
    const bool paradox = mode == QLatin1String("paradox");
    options.strict = !paradox;

    if (!QFileInfo(dir).isDir()) {
        err << "korvel3-import: " << dir << ": no such folder\n";
        return 1;
    }
    const QStringList files = tableFiles(dir, paradox ? QStringLiteral("db") : QStringLiteral("csv"));
    if (files.isEmpty()) {
        err << "korvel3-import: " << dir << (paradox ? ": holds no Paradox table (.db)\n" : ": holds no CSV file (.csv)\n");
        return 1;
    }
    QList<SourceTable> sources;
    QStringList errors;
    for (const QString& file : files) {
        try {
            sources << (paradox ? readParadoxFile(file, codePage) : readCsvSource(file));
        } catch (const std::exception& e) {
            if (interruptSignal())
                return interrupted(err, output);
            errors << QString::fromUtf8(e.what());
        }
    }
    if (!errors.isEmpty()) {
        for (const QString& e : std::as_const(errors))
            err << "korvel3-import: " << e << "\n";
        err << "korvel3-import: nothing written\n";
        return 1;
    }
    try {
        const ImportReport report = importTables(sources, output, options);
        writeReport(report, out);
        out.flush();
        if (!report.written) {
            err << "korvel3-import: " << report.problemCount << " problem(s); " << output << " not written\n";
            return 1;
        }
        out << output << " written\n";
    } catch (const std::exception& e) {
        if (interruptSignal())
            return interrupted(err, output);
        for (const QString& line : QString::fromUtf8(e.what()).split(QLatin1Char('\n')))
            err << "korvel3-import: " << line << "\n";
        err << "korvel3-import: nothing written\n";
        return 1;
    }
    return 0;
}
