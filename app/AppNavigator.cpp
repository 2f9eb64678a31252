#include "AppNavigator.h"

#include "browsers/BrowserCommands.h"
#include "browsers/PhaseDiagramCommand.h"
#include "calculator/AlloyWindow.h"
#include "charts/TfmWykres.h"
#include "core/Session.h"
#include "widgets/Forms.h"

namespace korvel {

void AppNavigator::openChartWindow()
{
    forms::showTransient(QStringLiteral("fmWykres"), [] { return static_cast<QWidget*>(new TfmWykres); });
}

void AppNavigator::openFigureBrowser() { openPublicationFigureBrowser(); }

bool AppNavigator::figuresHeldForChoice() const { return chosenSystemHoldsFigures(); }

void AppNavigator::openMeniscographicBrowser() { korvel::openMeniscographicBrowser(); }

void AppNavigator::openPhaseDiagram()
{
    const Choices& c = session().choices();
    showPhaseDiagram(session().databaseDir(), c.className, c.systemName);
}

void AppNavigator::openDta() { openDtaWindow(); }

void AppNavigator::openAlloyProperties() { calculator::AlloyWindow::open(); }

} // namespace korvel
