#pragma once
class QWidget;

namespace korvel {
// Moves a top-level window to the centre of the screen it is on.
void centreOnScreen(QWidget* window);
}
