#pragma once
// The main menu that the start, selection and chart windows share. The chart
// window's menu adds "&Save data" and "&Add data" and words the two
// Iida-Ueda-Morita items differently; "Access path of the database" differs
// between the start window and the other two.
#include <QString>
#include <QStringList>

class QAction;
class QMenuBar;
class QWidget;

namespace korvel {

enum class MainMenuKind { Start, Select, Chart };

struct MainMenuActions {
    QAction* equations = nullptr;       // Equations1
    QAction* calculatedValue = nullptr; // Calculatedvalue1
    QAction* viscosityModel = nullptr;  // Modelofviscosity1
    QAction* saveGraph = nullptr;       // SaveGraph
    QAction* addData = nullptr;         // Adddata1
    QAction* accessPath = nullptr;      // AcessDatabase1
};

// The twelve model items in menu order: caption and description window.
struct ModelMenuItem {
    QString caption;
    QString window;
};
QList<ModelMenuItem> modelMenuItems(MainMenuKind kind);

MainMenuActions buildMainMenu(QMenuBar* bar, MainMenuKind kind);

// Shared commands of the menu.
void exitToWindows();   // "Exit to Windows?" Yes ends the program
void openNistPage();    // DatabaseDir/NIST/Release5/props01.html
void openDtaWindow();   // "&DTA"

} // namespace korvel
