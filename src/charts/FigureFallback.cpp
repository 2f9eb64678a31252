#include "FigureFallback.h"

#include "IsothermLogic.h"
#include "core/UiServices.h"

namespace korvel {

void showPropertyFigureFallback(QWidget*)
{
    ui().message(kDataNotAvailable);
}

} // namespace korvel
