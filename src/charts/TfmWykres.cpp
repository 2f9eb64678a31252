#include "TfmWykres.h"

namespace korvel {

TfmWykres::TfmWykres(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(800, 780);
}

} // namespace korvel
