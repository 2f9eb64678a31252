#include "TfmSelect.h"

namespace korvel {

TfmSelect::TfmSelect(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(700, 500);
}

} // namespace korvel
