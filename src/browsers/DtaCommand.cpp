#include "TfmDTA.h"
#include "database/DataModule.h"
#include "shell/Forms.h"
#include "shell/MainMenu.h"

namespace korvel {

// "&DTA" of the three main menus: create the DTA window if needed, open the DTA
// rows if they are not open, show the window modally and release it.
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
