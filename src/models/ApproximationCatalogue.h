#pragma once
// The approximation catalogue: for a few systems, density and surface-tension
// equations in temperature and composition from a named source, evaluated
// along the system's composition axis; and the reference line of the Pb-Sn
// eutectic solder over temperature. The coefficients are those of
// data/sources/program_equations.csv, which documents them for the shipped
// database (records [2003Src1], [2001Src1] and [(Pb-Sn)eut]).
#include "core/Numbers.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace korvel {

enum class ApproximationKind {
    Equations,        // curves from the entry's equations
    CalculatedValues, // a line through the calculated isotherm values
    NoEquations,      // the catalogue holds nothing: the refusal for T1 only
    NotHeld           // not in the catalogue: the refusal for every handled temperature
};

struct ApproximationResult {
    enum class Status { Drawn, NotASource, PropertyNotDefined };
    Status status = Status::NotASource;
    std::vector<QPointF> points; // Drawn: (x, value) in abscissa order
};

class ApproximationCatalogue {
public:
    static ApproximationKind kindOf(const QString& systemName);
    // The source keys of a system's equations (empty for systems without).
    static QStringList sourceKeys(const QString& systemName);
    // The abscissa values of a system's entry, rounded to four decimals.
    static std::vector<double> abscissa(const QString& systemName);
    // The curve of the property ("Density", "Surface tension", "Molar volume") at
    // temperature t for the publication key; every intermediate result is rounded
    // to four decimals. A property the source does not define is refused.
    static ApproximationResult curve(const QString& systemName, const QString& publicationKey,
                                     const QString& propertyName, FixedPoint4 t);
    // The Pb-Sn eutectic reference at 500, 600, ..., 1300 K for "Density" or
    // "Surface tension"; none for any other property.
    static std::optional<std::vector<QPointF>> pbSnReference(const QString& propertyName);
};

} // namespace korvel
