#include "app/AppWindows.h"
#include "core/CommandLine.h"
#include "core/Directories.h"
#include "core/Session.h"
#include "database/DataModule.h"
#include "shell/QtUiServices.h"
#include "shell/TfmStart.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

// --database DIR: a Database folder elsewhere (the property database
// korvel3.sqlite and the document tree), for example one written by
// korvel3-import. Without it DatabaseDir is the layout's own folder.
const korvel::cli::Usage kUsage{
    "korvel3",
    "korvel3 [--database DIR]",
    "Database of physicochemical properties of alloys: liquid metals and alloys for lead-free solders.\n"
    "Without --database the program reads the Database folder beside it, or, installed, the one in\n"
    "share/korvel3 of its prefix; exports go to the Save folder beside it, or, installed, to the\n"
    "folder \"Korvel 3\" in the user's documents folder.",
    {{"--database", "DIR", "Use the Database folder DIR instead of the program's own."}},
};

} // namespace

int main(int argc, char** argv)
{
    // Before the application object: --help and --version need no display.
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, kUsage))
        return *done;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel 3"));
    QApplication::setApplicationVersion(QString::fromLatin1(korvel::cli::version()));
    QApplication::setStyle(QStringLiteral("Fusion"));

    QCommandLineParser options;
    const QCommandLineOption database(QStringLiteral("database"), QString(), QStringLiteral("dir"));
    options.addOption(database);
    options.parse(QApplication::arguments());
    if (options.isSet(database))
        korvel::dirs::overrideDatabaseDir(options.value(database));

    korvel::QtUiServices services;
    korvel::setUi(&services);
    korvel::Session session; // the user's choices and the shared paths for this run
    korvel::setSession(&session);

    int result = 0;
    {
        korvel::TdmDataModule dataModule; // dmDataModule: before any window
        // Shown by the start window too; said here for a start from a terminal.
        if (!dataModule.startupProblem().isEmpty())
            std::fprintf(stderr, "korvel3: %s\n", qPrintable(dataModule.startupProblem()));
        korvel::TfmStart* start = korvel::forms::createWindows();
        start->show();
        result = QApplication::exec();
        korvel::forms::destroyWindows();
    }
    return result;
}
