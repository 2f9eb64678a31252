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
    window->setReferences(references.entries);
    ui().showModal(window);
}

} // namespace korvel
