#include "TfmSelect.h"

namespace korvel {

TfmSelect::TfmSelect(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(700, 500);
}

QString TfmSelect::systemName() const { return {}; }
QString TfmSelect::propertyName() const { return {}; }
bool TfmSelect::temperatureMode() const { return false; }
bool TfmSelect::isothermMode() const { return true; }
bool TfmSelect::modelChecked() const { return false; }
bool TfmSelect::isosurfaceChecked() const { return false; }

} // namespace korvel
