#pragma once
// The commands every window offers the same way: the help document, leaving
// the program, the NIST pages, the older program, and the first picture of a
// system's figure or meniscographic folder with the desktop's viewer.
#include <QString>

namespace korvel {

void openHelp();       // DatabaseDir/KORVEL 3.pdf
void exitToWindows();  // "Exit to Windows?" Yes ends the program
void openNistPage();   // DatabaseDir/NIST/Release5/props01.html
void runOlderProgram(); // ends this program and starts KORVEL2.exe beside it
// "Access path of the database" on the start window: asks for the path (the
// answer is not used, DatabaseDir does not change) and resets SaveDir.
void askAccessPathOfDatabase();

// The folder DatabaseDir/<kind>/<class>/<system>/ of the chosen class, with a trailing separator.
QString documentFolder(const QString& kind, const QString& systemName);
// FigureDir := the figure folder of the system; its first picture is opened when there is one.
void openFirstFigure(const QString& systemName);
// MeniscusDir := the meniscographic folder of the system; its first picture is
// opened, or "Sorry. No data!" when it holds none.
void openFirstMeniscusPicture(const QString& systemName);

// The first JPEG in name order (case ignored) in a folder, or an empty text when it holds none.
QString firstJpegIn(const QString& folder);

} // namespace korvel
