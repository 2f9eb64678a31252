#include "PhaseDiagramCommand.h"

#include "DiagramReferences.h"
#include "JpegDecoder.h"
#include "TfmDiagram.h"
#include "core/Directories.h"
#include "core/UiServices.h"
#include "widgets/Forms.h"

#include <QFileInfo>

namespace korvel {

QString phaseDiagramPicturePath(const QString& databaseDir, const QString& className, const QString& systemName)
{
    return dirs::join(dirs::join(dirs::join(databaseDir, QStringLiteral("Diagram")), className),
                      systemName + QStringLiteral(".jpg"));
}

QString solderCornerPicturePath(const QString& databaseDir, const QString& className, const QString& systemName)
{
    return dirs::join(dirs::join(dirs::join(databaseDir, QStringLiteral("Diagram")), className),
                      systemName + QStringLiteral(" solder corner.jpg"));
}

QString phaseDiagramReferencesPath(const QString& databaseDir)
{
    return dirs::join(dirs::join(databaseDir, QStringLiteral("Diagram")), QStringLiteral("References.txt"));
}

void showPhaseDiagram(const QString& databaseDir, const QString& className, const QString& systemName)
{
    const QString picturePath = phaseDiagramPicturePath(databaseDir, className, systemName);
    if (!QFileInfo(picturePath).isFile()) {
        ui().message(QStringLiteral("This data isn\u2019t available in this version KORVEL database."));
        return;
    }
    const JpegDecoder::Result picture = JpegDecoder::decodeFile(picturePath);
    if (!picture.ok()) {
        ui().error(picture.error);
        return;
    }
    const DiagramReferences::ReadResult references =
        DiagramReferences::readFile(phaseDiagramReferencesPath(databaseDir), systemName);
    if (!references.error.isEmpty()) {
        ui().error(references.error);
        return;
    }
    auto* window = forms::obtain<TfmDiagram>(QStringLiteral("fmDiagram"));
    window->setPicture(picture.image);
    // A section's solder corner, where one is drawn; a broken one is left out.
    QImage corner;
    const QString cornerPath = solderCornerPicturePath(databaseDir, className, systemName);
    if (QFileInfo(cornerPath).isFile())
        if (const JpegDecoder::Result decoded = JpegDecoder::decodeFile(cornerPath); decoded.ok())
            corner = decoded.image;
    window->setCornerPicture(corner);
    window->setReferences(references.entries);
    ui().showModal(window);
}

} // namespace korvel
