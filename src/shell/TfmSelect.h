#pragma once
// The selection window: the system, the property and the display mode.
#include <QDialog>

namespace korvel {

class TfmSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfmSelect(QWidget* parent = nullptr);

    // The choices that later windows read.
    QString systemName() const;      // text of dblSelect
    QString propertyName() const;    // text of dblWlasnosci
    bool temperatureMode() const;    // chbTemp checked
    bool isothermMode() const;       // chbX checked
    bool modelChecked() const;       // chbButler checked
    bool isosurfaceChecked() const;  // chbIsosurface checked
};

} // namespace korvel
