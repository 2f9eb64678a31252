#include "database/DataModule.h"
#include "shell/MainMenu.h"

namespace korvel {

void openDtaWindow()
{
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenDTA();
}

} // namespace korvel
