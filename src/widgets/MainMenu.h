#pragma once
// The main menu that the start, selection and chart windows share. The chart
// window's menu adds "&Save data" and "&Add data" and words the two
// Iida-Ueda-Morita items differently; "Access path of the database" differs
// between the start window and the other two.
#include <QString>
#include <QStringList>
#include <functional>

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

// What the menu's items do. The window that builds the menu passes them in.
struct MainMenuCommands {
    std::function<void(const QString&)> showWindow; // a method or model description window
    std::function<void()> accessPath;               // "Access path of the database"
    std::function<void()> exitProgram;              // "&Exit to Windows"
    std::function<void()> openDta;                  // "&DTA"
    std::function<void()> openNist;                 // "NIST database"
    std::function<void()> openAlloyProperties;      // "Alloy properties…" (start and selection windows)
    std::function<void()> openHelp;                 // "&Help"
};
// The commands the three windows share: descriptions from the window
// registry, DTA through the navigator, the shared document commands; "Access
// path of the database" asks for the path on the start window and starts the
// older program on the others.
MainMenuCommands standardMenuCommands(MainMenuKind kind);

MainMenuActions buildMainMenu(QMenuBar* bar, MainMenuKind kind, const MainMenuCommands& commands);
// The menu with the standard commands of its kind.
MainMenuActions buildMainMenu(QMenuBar* bar, MainMenuKind kind);

} // namespace korvel
