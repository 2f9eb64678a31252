#include "BrowserChoices.h"

#include "JpegDecoder.h"
#include "TfmSkany.h"
#include "core/Directories.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "shell/Forms.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"

namespace korvel {

BrowserChoices BrowserChoices::current()
{
    BrowserChoices c;
    TdmDataModule* dm = TdmDataModule::instance();
    c.databaseDir = dm ? dm->ComputeDatabaseDir() : dirs::databaseDirFor(dirs::applicationDir());
    if (TfmStart* start = forms::fmStart())
        c.className = start->className();
    if (auto* select = forms::get<TfmSelect>(QStringLiteral("fmSelect"))) {
        c.systemName = select->systemName();
        c.propertyName = select->propertyName();
        c.mode.isotherms = select->isothermMode();
        c.mode.temperature = select->temperatureMode();
        c.mode.isosurface = select->isosurfaceChecked();
        c.mode.model = select->modelChecked();
    }
    return c;
}

bool showInScanWindow(const QString& path)
{
    if (TfmStart* start = forms::fmStart())
        start->setChosenPicture(path);
    const JpegDecoder::Result decoded = JpegDecoder::decodeFile(path);
    if (!decoded.ok()) {
        ui().error(decoded.error);
        return false;
    }
    auto* scan = forms::obtain<TfmSkany>(QStringLiteral("fmSkany"));
    scan->setPicture(decoded.image);
    ui().showModal(scan);
    return true;
}

} // namespace korvel
