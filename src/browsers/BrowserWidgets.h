#pragma once
// The controls every browser window builds the same way.
#include <QStyle>

class QDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace korvel {

// A push button with the program's name for it and a standard icon; it never
// becomes the default button, so Enter in a list does not press it.
QPushButton* browserButton(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon);
// A bold, centred heading, `scale` times the normal size.
QLabel* browserHeading(QWidget* parent, const char* name, const QString& text, double scale = 1.0);
// "Help" (the help document) on the left and "Exit" (closes) on the right.
void addHelpAndExit(QDialog* window, QVBoxLayout* layout);

} // namespace korvel
