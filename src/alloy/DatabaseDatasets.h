#pragma once
// The alloy datasets of the property database, read once from the built database file
// (Database/korvel3.sqlite): one dataset per system, property, publication and, for ternary and
// higher systems, eutectic section, each composition with its equation and the temperatures
// the database holds it for.
//   binary systems      DANE_WLASNOSCI, the composition x of the element TAB_UKL.XP names
//   sections            DANE45 with the compositions of UKL_3/UKL_4/UKL_5 (the start alloy of
//                       ID_EUTEKTYKI 10 belongs to every section of its system)
//   temperatures        the lowest and highest temperature line of DANE_WLASNOSCI_T
//   kind                a key "[calc…" is a calculation of the database's generator; a title
//                       ending "(program catalogue data)" is catalogue data and left out;
//                       every other record is a publication whose measurements the row holds
// Pure metals are left out: the calculator's own pure-metal inputs cover them.
#include <map>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace korvel::alloy {

enum class DatabaseProperty { Density = 1, SurfaceTension = 2, MolarVolume = 3, Viscosity = 4 };

struct TemperatureRange {
    double lo = 0, hi = 0; // K
    bool covers(double T) const { return T >= lo - 1e-9 && T <= hi + 1e-9; }
};

// One composition of a dataset.
struct DatasetPoint {
    std::vector<double> composition; // mole fractions in the order of PropertyDataset::elements
    double x = 0;                    // the system's composition variable (X of the rows)
    std::string label;               // "x Sn 0.7236", or the section alloy's label
    double A = 0, B = 0;             // A + B·T; viscosity A·exp(B/(R·T))
    TemperatureRange range;
};

struct PropertyDataset {
    enum class Kind { Measured, Calculated };
    std::string system;                // "Pb-Sn"
    std::vector<std::string> elements; // the system's elements, in its name's order
    DatabaseProperty property = DatabaseProperty::Density;
    std::string publication;           // "[2005Jem1]"
    Kind kind = Kind::Measured;
    int section = 0;                   // the eutectic section; 0 for a binary system
    std::vector<DatasetPoint> points;  // in ascending x: along the composition line

    double valueAt(const DatasetPoint &p, double T) const;
};

// The key of one composition's temperature lines.
struct DatasetComposition {
    int system = 0, property = 0, publication = 0; // ID_TAB_UKL, ID_WLASCIWOSCI, ID_PUBLIKACJI
    double x = 0;
    int section = 0; // ID_EUTEKTYKI of a section row (10: the shared start alloy); 0 for binary rows
};

// The one place that says over which temperatures the database holds a composition of a
// dataset: the lowest to the highest of its temperature lines; nothing when it has none.
std::optional<TemperatureRange> heldTemperatureRange(sqlite3 *db, const DatasetComposition &key);

class DatabaseDatasets {
public:
    // Throws std::runtime_error naming the file when it cannot be opened or read.
    static DatabaseDatasets read(const std::string &databaseFile);

    const std::vector<PropertyDataset> &datasets() const { return m_datasets; }
    const std::string &file() const { return m_file; }

private:
    std::string m_file;
    std::vector<PropertyDataset> m_datasets;
};

// The property's name and unit as the calculator writes them ("density", "g/cm3").
const char *propertyName(DatabaseProperty p);
const char *propertyUnit(DatabaseProperty p);

} // namespace korvel::alloy
