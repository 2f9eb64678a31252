#pragma once
// The Butler fit catalogue: per system an isotherm fit and one temperature fit
// (two for Bi-Sn). Read once from the embedded files of data/models (butler.csv,
// generated/butler_fits.csv when present; layout in FORMAT.md there). A fit whose
// coefficient rows are in neither file is present but not complete(): "no rows".
#include "ButlerFit.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace korvel {

class ButlerCatalogue {
public:
    static const ButlerCatalogue& builtIn();
    // `given`: hand-kept files (every record type); `generated`: coefficient
    // records (L, Q, P) only, used for a fit only when no given file holds any.
    static ButlerCatalogue load(const QStringList& given, const QStringList& generated,
                                QStringList* warnings = nullptr);

    ButlerCatalogue() = default;
    ButlerCatalogue(ButlerCatalogue&&) = default;
    ButlerCatalogue& operator=(ButlerCatalogue&&) = default;
    ButlerCatalogue(const ButlerCatalogue&) = delete;
    ButlerCatalogue& operator=(const ButlerCatalogue&) = delete;

    // The isotherm fit of a system name, or none (complete or not).
    const ButlerFit* isothermFit(const QString& system) const;
    // The temperature fits of a system name in variant order (Bi-Sn: two), or none.
    std::vector<const ButlerFit*> temperatureFits(const QString& system) const;
    const ButlerFit* fit(const QString& system, ButlerFit::Use use, int variant = 1) const;

    const std::deque<ButlerFit>& fits() const { return m_fits; }

    static QStringList builtInGivenFiles();
    static QStringList builtInGeneratedFiles();

private:
    std::deque<ButlerFit> m_fits; // stable addresses: fits point at each other
};

} // namespace korvel
