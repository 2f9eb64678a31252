// A second copy of the program for the stored-data tests: it opens the data
// module on the given program folder and refills the computed viscosity table
// of slot 1 (Ag-Sn, [2005Ghi3]) at the given temperature, as "Show" does.
// Exit status 0 and "filled" when the table was refilled; 1 and the message
// otherwise.
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"

#include <QCoreApplication>
#include <cstdio>

using namespace korvel;

namespace {
struct Inputs : ChartInputs {
    QString temperature;
    QString temperatureText(int slot) const override { return slot == 1 ? temperature : QString(); }
    QString publicationText(int page) const override { return page == 0 ? QStringLiteral("[2005Ghi3]") : QString(); }
    int selectedEutectic() const override { return 0; }
    FixedPoint4 lineComposition() const override { return {}; }
};
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: refill_child PROGRAM_DIR TEMPERATURE\n");
        return 2;
    }
    dirs::overrideApplicationDir(QString::fromLocal8Bit(argv[1]));
    TdmDataModule dm;
    Inputs inputs;
    inputs.temperature = QString::fromLocal8Bit(argv[2]);
    dm.setChartInputs(&inputs);
    if (!dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2))
        return 2;
    dm.OpenSystems();
    if (!dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QStringLiteral("Ag-Sn"))
        || !dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Viscosity")))
        return 2;
    dm.OpenPublications();
    try {
        dm.FillViscosityTable(1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("filled\n");
    return 0;
}
