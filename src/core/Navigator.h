#pragma once
// How one window opens another without knowing it: the selection window, the
// menus and the browsers ask the navigator, and the composition root (app/)
// answers with the window that does the work. Each call shows its window
// modally and returns when it is closed.
namespace korvel {

class Navigator {
public:
    virtual ~Navigator() = default;

    virtual void openChartWindow() = 0;           // "Next" of the selection window
    virtual void openFigureBrowser() = 0;         // "Fig": the publication figures of the choice
    virtual void openMeniscographicBrowser() = 0; // "Menisc"
    virtual void openPhaseDiagram() = 0;          // "Ph Diag"
    virtual void openDta() = 0;                   // "&DTA" of the main menus
    virtual void openAlloyProperties() = 0;       // Database → "Alloy properties…"

    // Whether "Fig" would find any figure of the chosen system and property;
    // the selection window disables "Fig" where it would not.
    virtual bool figuresHeldForChoice() const { return true; }
};

// The navigator in force; the composition root installs it before any window opens.
Navigator& navigator();
void setNavigator(Navigator* navigator);

} // namespace korvel
