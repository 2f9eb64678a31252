#include "BrowserCommands.h"

#include "JpegDecoder.h"
#include "TfmAutorFig.h"
#include "TfmDTA.h"
#include "TfmMenisk.h"
#include "TfmSkany.h"
#include "core/Session.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "widgets/Forms.h"

namespace korvel {

figures::DisplayMode displayModeOf(const Choices& c)
{
    figures::DisplayMode mode;
    mode.isotherms = c.isothermMode;
    mode.temperature = c.temperatureMode;
    mode.isosurface = c.isosurfaceChecked;
    mode.model = c.modelChecked;
    return mode;
}

QString chosenFigureFolder()
{
    const Choices& c = session().choices();
    return figures::figureFolder(session().databaseDir(), c.className, c.systemName);
}

QString chosenMeniscusFolder()
{
    const Choices& c = session().choices();
    return figures::meniscusFolder(session().databaseDir(), c.className, c.systemName);
}

bool showInScanWindow(const QString& path)
{
    session().setChosenPicture(path);
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

void openPublicationFigureBrowser()
{
    auto* author = forms::obtain<TfmAutorFig>(QStringLiteral("fmAutorFig"));
    const Choices& c = session().choices();
    if (c.propertyName == QLatin1String("Viscosity") && c.modelChecked) {
        // The figure-author window's "OK" runs without the window being shown.
        author->sbOKClick();
        return;
    }
    ui().showModal(author);
}

bool chosenSystemHoldsFigures()
{
    return figures::holdsFiguresOf(chosenFigureFolder(), session().choices().propertyName);
}

void openMeniscographicBrowser()
{
    forms::showTransient(QStringLiteral("fmMenisk"), [] { return static_cast<QWidget*>(new TfmMenisk); },
                         [](QWidget*) {
                             if (TdmDataModule* dm = TdmDataModule::instance())
                                 dm->OpenMeniscusSources();
                         });
}

void openDtaWindow()
{
    forms::showTransient(
        QStringLiteral("fmDTA"), [] { return static_cast<QWidget*>(new TfmDTA); },
        [](QWidget*) {
            if (TdmDataModule* dm = TdmDataModule::instance())
                dm->OpenDTA();
        });
}

} // namespace korvel
