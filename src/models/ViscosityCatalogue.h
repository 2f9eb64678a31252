#pragma once
// The viscosity coefficient catalogue: binary systems, their temperature ranges
// and their coefficient blocks (one per publication), each block with the
// pure-component constants and, per model, an A row and an E row.
//
// The data are read once from the embedded files of data/models (hand-kept
// viscosity.csv, generated/viscosity_rows.csv when present; FORMAT.md there).
// A model whose rows are in neither file is "no rows" (ViscosityBlock::rows
// returns nothing) and must not be drawn as a result.
#include "ViscosityModel.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace korvel {

// Accepted temperature range in K, both bounds accepted, with its message.
struct TemperatureRange {
    double low = 0;
    double high = 0;
    QString message; // e.g. "Error! Temperature range <1273,1673[K]>"

    bool accepts(double t) const { return t >= low && t <= high; }
};

// Six coefficient pairs k = 0..5: (p_k + q_k*T) is the term of r^k.
struct ViscosityRow {
    std::array<double, 6> p{};
    std::array<double, 6> q{};
};

// The two rows of one model in one block.
struct ViscosityModelRows {
    ViscosityRow a; // a_k (mPa*s), b_k (mPa*s/K): excess pre-exponential term
    ViscosityRow e; // c_k (J/mol), d_k (J/(mol*K)): excess activation energy
    QString source; // citation token of the rows (FORMAT.md)
    bool generated = false;
};

struct ViscosityBlock {
    QString system;
    int number = 0;  // 1-based, the order in which blocks are tried
    QString key;     // publication key; empty while not known
    double E1 = 0, E2 = 0; // J/mol
    double A1 = 0, A2 = 0; // mPa*s
    std::optional<TemperatureRange> ownRange; // replaces the system's range
    std::array<std::optional<ViscosityModelRows>, ViscosityModel::Count> models;

    // The rows of a model, or nothing when the catalogue holds none ("no rows").
    const ViscosityModelRows* rows(ViscosityModel model) const
    {
        const auto& r = models[model.index()];
        return r ? &*r : nullptr;
    }
};

struct ViscositySystem {
    QString name;
    std::optional<TemperatureRange> range; // none for Sn-Zn (its blocks carry one)
    std::vector<ViscosityBlock> blocks;

    // The first block whose key equals the text exactly; none otherwise. An empty
    // text never selects a block (blocks without a known key have an empty key).
    const ViscosityBlock* block(const QString& publicationKey) const;
    // The range that applies: the block's own range, else the system's; none when
    // neither exists (a system whose blocks carry their ranges and no block matched).
    std::optional<TemperatureRange> applicableRange(const ViscosityBlock* block) const;
};

class ViscosityCatalogue {
public:
    // The built-in catalogue, parsed on first use from the embedded files.
    static const ViscosityCatalogue& builtIn();

    // Reads a catalogue from the given files. `given` are hand-kept files (all
    // record types), `generated` files contribute `row` records only, and only
    // where no given file holds a row of that (system, block, model).
    // Problems (malformed records, unknown systems) go to `warnings`.
    static ViscosityCatalogue load(const QStringList& given, const QStringList& generated,
                                   QStringList* warnings = nullptr);

    const std::vector<ViscositySystem>& systems() const { return m_systems; }
    // The entry whose name equals the text exactly; none otherwise.
    const ViscositySystem* system(const QString& name) const;
    const ViscosityBlock* block(const QString& system, const QString& publicationKey) const;

    // Resource paths of the embedded files.
    static QStringList builtInGivenFiles();
    static QStringList builtInGeneratedFiles();

private:
    std::vector<ViscositySystem> m_systems;
};

} // namespace korvel
