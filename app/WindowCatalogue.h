#pragma once
// The windows created at start-up, in the order the program creates them.
#include "widgets/Forms.h"

#include <QList>

namespace korvel::forms {

const QList<WindowFactory>& windowFactories();

} // namespace korvel::forms
