#include "AppWindows.h"

#include "AppNavigator.h"
#include "WindowCatalogue.h"
#include "browsers/TfmAutorFig.h"
#include "charts/FigureFallback.h"
#include "core/Navigator.h"
#include "shell/TfmStart.h"

namespace korvel::app {

void wireProgram()
{
    static AppNavigator appNavigator;
    setNavigator(&appNavigator);
    // The chart window's fallback is the property figure browser's "OK".
    setPropertyFigureFallback([](QWidget*) { forms::obtain<TfmAutorFig>(QStringLiteral("fmAutorFig"))->sbOKClick(); });
}

} // namespace korvel::app

namespace korvel::forms {

TfmStart* fmStart() { return get<TfmStart>(QStringLiteral("fmStart")); }

TfmStart* createWindows()
{
    app::wireProgram();
    beginWindows(windowFactories());
    return fmStart();
}

} // namespace korvel::forms
