#pragma once
// What the pages and panels of one chart window share: the chart state of the
// visit (colour indexes, flags, line ends waiting to be drawn), the chart, the
// two page controls, the bottom publication grid, the buttons and menu items
// that several pages enable, and the polling timer.
#include "SelectionLists.h"
#include "core/Numbers.h"
#include "widgets/MainMenu.h"

#include <QColor>
#include <QString>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace korvel {

class DbGrid;
class IsothermPage;
class ModelPanel;
class PageControl;
class PlotSeries;
class PlotWidget;
class Query;
class TdmDataModule;
class TemperaturePage;

// The state fields of the chart window for one visit.
struct ChartState {
    std::unique_ptr<TListaWybranychPunktTemp1> tempPoints1 = std::make_unique<TListaWybranychPunktTemp1>();
    std::unique_ptr<TListaWybranychPunktTemp2> tempPoints2 = std::make_unique<TListaWybranychPunktTemp2>();
    FixedPoint4 modelComposition;
    FixedPoint4 lineComposition;
    int lineColourIndex1 = 0;
    int lineColourIndex2 = 0;
    int butlerCurveCount = 0;
    int pointColourIndex = 0;
    int modelCurveCount = 0;
    QColor curveColour;
    QColor modelCurveColour;
    PlotSeries* currentSeries = nullptr;
    std::array<bool, 4> isothermCalculated{}; // slot 1..4 at index 0..3
    std::array<bool, 4> butlerArmed{};
    bool modelArmed = false;
    FixedPoint4 modelTemperature;
    QString modelAbbreviation;
    int selectedEutectic = 0;
    bool pbSnCurveShown = false;

    // PointColourIndex as an index into SeriesColours; it wraps after the twentieth colour.
    int takePointColourIndex();
};

// The menu items of the chart window that its pages enable and disable.
using ChartMenu = MainMenuActions;

// The buttons of the bottom panel that more than one page drives.
struct ChartButtons {
    QPushButton* sbHelp = nullptr;
    QPushButton* sbPrint = nullptr;
    QPushButton* sbButler = nullptr;
    QPushButton* sbGraph = nullptr;
    QPushButton* sbPbSn = nullptr;
    QPushButton* sbExit = nullptr;
    QPushButton* sbBack = nullptr;
    QPushButton* sbNext = nullptr;
};

class ChartContext {
public:
    ChartContext(QWidget* window, TdmDataModule* dm) : window(window), dm(dm) {}

    QWidget* window;
    TdmDataModule* dm; // may be absent in tests of single pages
    ChartState state;
    PlotWidget* chart = nullptr;
    PageControl* pageControl1 = nullptr;
    PageControl* pageControl2 = nullptr;
    DbGrid* dbgPublikacje = nullptr;
    QTimer* timer = nullptr;
    ChartMenu menu;
    ChartButtons buttons;
    // The parts of the window, set once they are built.
    IsothermPage* isotherms = nullptr;
    TemperaturePage* temperature1 = nullptr;
    TemperaturePage* temperature2 = nullptr;
    ModelPanel* model = nullptr;

    Query* query(const QString& name) const;
    DbGrid* grid(const QString& name) const;
    QLabel* label(const QString& name) const;
    QWidget* page(const QString& name) const;
    void bindGrid(const QString& gridName, const QString& dataSource) const;
    void unbindGrids(std::initializer_list<const char*> names) const;
    int classNumber() const;
    QString axisLabel() const; // XP of qrX
    QString publicationKey() const;          // the text of dblAutor
    QString temperatureText(int slot) const; // edT1 .. edT4
    // The predicates of the window stop the polling timer when nothing is missing.
    void setTimerRunning(bool running) const;
    // Multicomponent systems: the user picks the eutectic section (SelectedEutectic).
    void chooseEutectic(const QString& systemName);
    // Empties the chart (and forgets CurrentSeries, which pointed into it).
    void removeAllSeries();
    // Shows the legend only while some series has an entry in it.
    void refreshChart() const;
};

} // namespace korvel
