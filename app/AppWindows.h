#pragma once
// The composition root: the program's windows, the navigator that lets them
// open one another, and the commands the layers leave to it.
#include "widgets/Forms.h"

namespace korvel {
class TfmStart;
}

namespace korvel::app {

// Installs the navigator and the chart window's figure fallback. Safe to call
// again; createWindows() calls it.
void wireProgram();

} // namespace korvel::app

namespace korvel::forms {

// Wires the program and starts the set of start-up windows (see beginWindows);
// the start window is made and returned (it is the main window).
TfmStart* createWindows();
TfmStart* fmStart();

} // namespace korvel::forms
