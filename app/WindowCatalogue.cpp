#include "WindowCatalogue.h"

#include "shell/TfmBadania.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"
#include "browsers/TfmAutorFig.h"
#include "browsers/TfmDTA.h"
#include "browsers/TfmDiagram.h"
#include "browsers/TfmFig.h"
#include "browsers/TfmFigers.h"
#include "browsers/TfmMenisk.h"
#include "browsers/TfmMeniskFig.h"
#include "browsers/TfmReferences.h"
#include "browsers/TfmSkany.h"
#include "browsers/TfmWlasnedane.h"

namespace korvel::forms {

namespace {
template <typename T> QWidget* make() { return new T; }
// The figure list made at start-up; each use makes its own in the mode it needs.
QWidget* makeFigureList() { return new TfmFigers(TfmFigers::Mode::PublicationFigures); }
} // namespace

// Start-up creation order: fmStart, fmSelect, fmSkany, fmReferences, fmDiagram,
// fmFig, fmEut, fmMenisk, fmBadania, fmBadania1 .. fmBadania4, fmMeniskFig,
// fmMeniskFig1, fmAutorFig, fmDTA, fmFigers, fmWlasnedane, fmSurfConc, fmIida,
// fmKaptay, fmKozlov, fmMoelwyn, fmSeetharaman, fmDravik, fmDravikMarten,
// fmKucharski, fmSato, fmSchick, fmSichen. The selection, eutectic, DTA and
// meniscographic windows are transient: their commands create them on demand
// (the ones created here serve the first opening and are released after it;
// the start window releases the meniscographic one when it is first shown).
// The eutectic chooser is made by the chart window for its system, and the
// surface-concentration window, which no command opens, is left out.
const QList<WindowFactory>& windowFactories()
{
    static const QList<WindowFactory> factories = {
        {QStringLiteral("fmStart"), &make<TfmStart>},
        {QStringLiteral("fmSelect"), &make<TfmSelect>},
        {QStringLiteral("fmSkany"), &make<TfmSkany>},
        {QStringLiteral("fmReferences"), &make<TfmReferences>},
        {QStringLiteral("fmDiagram"), &make<TfmDiagram>},
        {QStringLiteral("fmFig"), &make<TfmFig>},
        {QStringLiteral("fmMenisk"), &make<TfmMenisk>},
        {QStringLiteral("fmBadania"), &make<TfmBadania>},
        {QStringLiteral("fmBadania1"), &make<TfmBadania1>},
        {QStringLiteral("fmBadania2"), &make<TfmBadania2>},
        {QStringLiteral("fmBadania3"), &make<TfmBadania3>},
        {QStringLiteral("fmBadania4"), &make<TfmBadania4>},
        {QStringLiteral("fmMeniskFig"), &make<TfmMeniskFig>},
        {QStringLiteral("fmMeniskFig1"), &make<TfmMeniskFig1>},
        {QStringLiteral("fmAutorFig"), &make<TfmAutorFig>},
        {QStringLiteral("fmDTA"), &make<TfmDTA>},
        {QStringLiteral("fmFigers"), &makeFigureList},
        {QStringLiteral("fmWlasnedane"), &make<TfmWlasnedane>},
        {QStringLiteral("fmIida"), &make<TfmIida>},
        {QStringLiteral("fmKaptay"), &make<TfmKaptay>},
        {QStringLiteral("fmKozlov"), &make<TfmKozlov>},
        {QStringLiteral("fmMoelwyn"), &make<TfmMoelwyn>},
        {QStringLiteral("fmSeetharaman"), &make<TfmSeetharaman>},
        {QStringLiteral("fmDravik"), &make<TfmDravik>},
        {QStringLiteral("fmDravikMarten"), &make<TfmDravikMarten>},
        {QStringLiteral("fmKucharski"), &make<TfmKucharski>},
        {QStringLiteral("fmSato"), &make<TfmSato>},
        {QStringLiteral("fmSchick"), &make<TfmSchick>},
        {QStringLiteral("fmSichen"), &make<TfmSichen>},
    };
    return factories;
}

} // namespace korvel::forms
