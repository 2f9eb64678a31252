#include "FigureFallback.h"

#include "browsers/TfmAutorFig.h"
#include "shell/Forms.h"

namespace korvel {

void showPropertyFigureFallback(QWidget*)
{
    forms::obtain<TfmAutorFig>(QStringLiteral("fmAutorFig"))->sbOKClick();
}

} // namespace korvel
