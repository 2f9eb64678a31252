#pragma once
// The program's navigator: each request opens the window that does the work.
#include "core/Navigator.h"

namespace korvel {

class AppNavigator : public Navigator {
public:
    void openChartWindow() override;
    void openFigureBrowser() override;
    void openMeniscographicBrowser() override;
    void openPhaseDiagram() override;
    void openDta() override;
    void openAlloyProperties() override;
    bool figuresHeldForChoice() const override;
};

} // namespace korvel
