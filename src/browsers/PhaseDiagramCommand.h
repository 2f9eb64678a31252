#pragma once
#include <QString>

namespace korvel {

// "Ph Diag": shows the phase diagram DatabaseDir/Diagram/<class>/<system>.jpg
// with its references from DatabaseDir/Diagram/References.txt in the
// phase-diagram window, modally. A missing picture is refused with the
// not-available message; a picture that cannot be decoded or a references
// file that cannot be read gives an error naming the file, and the window is
// not shown.
void showPhaseDiagram(const QString& databaseDir, const QString& className, const QString& systemName);

QString phaseDiagramPicturePath(const QString& databaseDir, const QString& className, const QString& systemName);
QString phaseDiagramReferencesPath(const QString& databaseDir);
// The picture of the corner that matters for solders beside a section's picture:
// "<system> solder corner.jpg" in the same folder (may not exist).
QString solderCornerPicturePath(const QString& databaseDir, const QString& className, const QString& systemName);

} // namespace korvel
