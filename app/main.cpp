#include "app/AppWindows.h"
#include "core/Directories.h"
#include "core/Session.h"
#include "database/DataModule.h"
#include "shell/QtUiServices.h"
#include "shell/TfmStart.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel 3"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    // --database DIR: a Database folder elsewhere (the property database
    // korvel3.sqlite and the document tree), for example one written by
    // korvel3-import. Without it DatabaseDir is the folder beside the program.
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Database of physicochemical properties of alloys"));
    options.addHelpOption();
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("Use the Database folder <dir> instead of the one beside the program."),
                                      QStringLiteral("dir"));
    options.addOption(database);
    options.process(app);
    if (options.isSet(database))
        korvel::dirs::overrideDatabaseDir(options.value(database));

    korvel::QtUiServices services;
    korvel::setUi(&services);
    korvel::Session session; // the user's choices and the shared paths for this run
    korvel::setSession(&session);

    int result = 0;
    {
        korvel::TdmDataModule dataModule; // dmDataModule: before any window
        korvel::TfmStart* start = korvel::forms::createWindows();
        start->show();
        result = QApplication::exec();
        korvel::forms::destroyWindows();
    }
    return result;
}
