#pragma once
// The choices the picture browsers work from, read where the program keeps
// them: the class from the start window, the system, the property and the
// display mode from the selection window, DatabaseDir from the data module.
#include "FigureNames.h"

#include <QString>

namespace korvel {

class TfmStart;

struct BrowserChoices {
    QString databaseDir;
    QString className;
    QString systemName;
    QString propertyName;
    figures::DisplayMode mode;

    static BrowserChoices current();
    QString figureFolder() const { return figures::figureFolder(databaseDir, className, systemName); }
    QString meniscusFolder() const { return figures::meniscusFolder(databaseDir, className, systemName); }
};

// Decodes the picture and shows it in the scan window modally; ChosenPicture
// becomes its path. A picture that cannot be read gives an error naming the
// file and the window is not shown. Returns whether the window was shown.
bool showInScanWindow(const QString& path);

} // namespace korvel
