#pragma once
// The browsers' commands that other windows reach through the navigator, and
// the folders of the session's choice that the browsers work in.
#include "FigureNames.h"
#include "core/Choices.h"

#include <QString>

namespace korvel {

// The display mode of the session's choice, as the figure names need it.
figures::DisplayMode displayModeOf(const Choices& choices);
// DatabaseDir/Fig/<class>/<system>/ and DatabaseDir/Menisk/<class>/<system>/ of the session's choice.
QString chosenFigureFolder();
QString chosenMeniscusFolder();

// Decodes the picture and shows it in the scan window modally; ChosenPicture
// becomes its path. A picture that cannot be read gives an error naming the
// file and the window is not shown. Returns whether the window was shown.
bool showInScanWindow(const QString& path);

// "Fig" of the selection window: the figure-author window, shown modally; for
// viscosity with "Model" its "OK" runs without the window being shown.
void openPublicationFigureBrowser();
// Whether "Fig" can find any figure of the chosen system and property.
bool chosenSystemHoldsFigures();
// "Menisc": the meniscographic browser with the sources of the system, shown
// modally and released afterwards.
void openMeniscographicBrowser();
// "&DTA" of the three main menus: create the DTA window if needed, open the
// DTA rows, show the window modally and release it.
void openDtaWindow();

} // namespace korvel
