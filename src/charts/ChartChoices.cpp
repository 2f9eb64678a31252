#include "ChartChoices.h"

#include "shell/Forms.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"

namespace korvel {
namespace {
std::function<ChartChoices()>& reader()
{
    static std::function<ChartChoices()> r;
    return r;
}
} // namespace

void setChartChoicesReader(std::function<ChartChoices()> r) { reader() = std::move(r); }

ChartChoices readChartChoices()
{
    if (reader())
        return reader()();
    ChartChoices c;
    if (TfmStart* start = forms::fmStart())
        c.className = start->className();
    if (auto* select = forms::get<TfmSelect>(QStringLiteral("fmSelect"))) {
        c.systemName = select->systemName();
        c.propertyName = select->propertyName();
        c.isothermMode = select->isothermMode();
        c.temperatureMode = select->temperatureMode();
        c.modelChecked = select->modelChecked();
    }
    return c;
}

} // namespace korvel
