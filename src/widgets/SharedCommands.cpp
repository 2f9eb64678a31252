#include "SharedCommands.h"

#include "core/Directories.h"
#include "core/Session.h"
#include "core/UiServices.h"

#include <QDir>
#include <QFileInfo>

namespace korvel {

void openHelp() { ui().openDocument(dirs::join(session().databaseDir(), QStringLiteral("KORVEL 3.pdf"))); }

void exitToWindows()
{
    if (ui().questionYesNoCancel(QStringLiteral("Exit to Windows?")) == UiServices::Answer::Yes)
        ui().quitApplication();
}

void openNistPage()
{
    ui().openDocument(dirs::join(session().databaseDir(),
                                 QStringLiteral("NIST/Release5/props01.html").replace(QLatin1Char('/'), QDir::separator())));
}

void runOlderProgram()
{
    const QString older = dirs::join(dirs::applicationDir(), QStringLiteral("KORVEL2.exe"));
    // Without the older program beside this one, ending this one would leave
    // the user with nothing: say so and stay.
    if (!QFileInfo(older).isFile()) {
        ui().message(QStringLiteral("The older program %1 is not installed beside this one, so it cannot be started. "
                                    "This program stays open.").arg(QDir::toNativeSeparators(older)));
        return;
    }
    ui().quitApplication();
    ui().startProgram(older);
}

void askAccessPathOfDatabase()
{
    ui().inputBox(QStringLiteral("Catalogue of the database"), QStringLiteral("Access path of the KORVEL 2 database"),
                  QStringLiteral("C:\\Program Files\\Halvora\\KORVEL 2\\Database"));
    session().setSaveDir(dirs::saveDirFor(dirs::applicationDir()));
}

QString firstJpegIn(const QString& folder)
{
    // The desktop lists a folder in name order without regard to case.
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    return files.isEmpty() ? QString() : dirs::join(folder, files.first());
}

QString documentFolder(const QString& kind, const QString& systemName)
{
    const QString className = session().choices().className;
    return dirs::join(dirs::join(dirs::join(session().databaseDir(), kind), className), systemName) + QDir::separator();
}

void openFirstFigure(const QString& systemName)
{
    session().setFigureDir(documentFolder(QStringLiteral("Fig"), systemName));
    const QString first = firstJpegIn(session().figureDir());
    if (!first.isEmpty())
        ui().openDocument(first);
}

void openFirstMeniscusPicture(const QString& systemName)
{
    session().setMeniscusDir(documentFolder(QStringLiteral("Menisk"), systemName));
    const QString first = firstJpegIn(session().meniscusDir());
    if (first.isEmpty())
        ui().information(QStringLiteral("Sorry. No data!"));
    else
        ui().openDocument(first);
}

} // namespace korvel
