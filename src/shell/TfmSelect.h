#pragma once
// The selection window: the system, the property and the display mode. It is
// shown modally by the start window's "OK" and released when it closes; the
// session follows its choices, which the chart window, the exports and the
// browsers read there.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace korvel {

class DbGrid;
class DbLookupList;

class TfmSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfmSelect(QWidget* parent = nullptr);
    ~TfmSelect() override;

    // The choices that later windows read.
    QString systemName() const;      // text of dblSelect
    QString propertyName() const;    // text of dblWlasnosci
    bool temperatureMode() const;    // chbTemp checked
    bool isothermMode() const;       // chbX checked
    bool modelChecked() const;       // chbButler checked
    bool isosurfaceChecked() const;  // chbIsosurface checked

    DbLookupList* systemList() const { return m_dblSelect; }
    DbLookupList* propertyList() const { return m_dblWlasnosci; }
    DbGrid* elementGrid() const { return m_DBGrid1; }

    // Handlers.
    void FormShow();
    void Timer1Timer();
    void Timer2Timer();
    void dblSelectClick();
    void dblWlasnosciClick();
    void SpeedButton5Click();   // "Show": element data of a pure metal
    void sbPhaseDiagramClick(); // "Ph Diag"
    void sbMeniskClick();       // "Menisc"
    void SpeedButton6Click();   // "Fig"
    void SpeedButton1Click();   // "Next"
    void SpeedButton2Click();   // "Back"
    void SpeedButton3Click();   // "Exit"
    void sbHelpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rules that run whenever a display-mode box changes, by a click or
    // because another rule changed it.
    void chbTempClick();
    void chbXClick();
    void chbButlerClick();
    void chbIsosurfaceClick();
    void enableNextUnlessMolarTemperature();
    void setNextEnabled(bool enabled);
    bool systemChosen() const;
    bool propertyChosen() const;
    QString className() const;

    DbLookupList* m_dblSelect;
    DbLookupList* m_dblWlasnosci;
    // What the chosen system holds (lblHoldings); "Menisc" only where the
    // system has meniscographic sources.
    void showHoldings();
    void enableFigures();

    DbGrid* m_DBGrid1;
    QLabel* m_lblHoldings = nullptr;
    QPushButton* m_sbPhaseDiagram;
    QPushButton* m_sbMenisk;
    QPushButton* m_sbSolid;
    QPushButton* m_SpeedButton6; // Fig
    QPushButton* m_SpeedButton5; // Show
    QPushButton* m_SpeedButton1; // Next
    QPushButton* m_SpeedButton2; // Back
    QPushButton* m_SpeedButton3; // Exit
    QPushButton* m_sbHelp;
    QCheckBox* m_chbTemp;
    QCheckBox* m_chbX;
    QCheckBox* m_chbButler;
    QCheckBox* m_chbIsosurface;
    QTimer* m_Timer1;
    QTimer* m_Timer2;
};

} // namespace korvel
