#include "WindowCatalogue.h"

#include "TfmStart.h"

namespace korvel::forms {

// Start-up creation order: fmStart, fmSelect, fmSkany, fmReferences, fmDiagram,
// fmFig, fmEut, fmMenisk, fmBadania, fmBadania1 .. fmBadania4, fmMeniskFig,
// fmMeniskFig1, fmAutorFig, fmDTA, fmFigers, fmWlasnedane, fmSurfConc, fmIida,
// fmKaptay, fmKozlov, fmMoelwyn, fmSeetharaman, fmDravik, fmDravikMarten,
// fmKucharski, fmSato, fmSchick, fmSichen. The selection, eutectic, DTA and
// meniscographic windows are transient: their commands create them on demand.
const QList<WindowFactory>& windowFactories()
{
    static const QList<WindowFactory> factories = {
        {QStringLiteral("fmStart"), [] { return static_cast<QWidget*>(new TfmStart); }},
    };
    return factories;
}

} // namespace korvel::forms
