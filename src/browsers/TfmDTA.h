#pragma once
// The DTA window: solidus and liquidus temperatures of alloys measured by
// differential thermal analysis, every row of the DTA table whatever system is
// selected. Opened from "&DTA" of the main menus, modally; released afterwards.
#include <QDialog>

class QPushButton;

namespace korvel {

class DbGrid;

class TfmDTA : public QDialog {
    Q_OBJECT
public:
    explicit TfmDTA(QWidget* parent = nullptr);
    DbGrid* grid() const { return m_DBGrid1; }

    static QString headingText(); // the column heading line above the grid

private:
    DbGrid* m_DBGrid1;
    QPushButton* m_sbExit;
    QPushButton* m_sbHelp;
};

} // namespace korvel
