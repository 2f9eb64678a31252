#pragma once
// The selection window: the system, the property and the display mode.
#include <QDialog>

namespace korvel {

class TfmSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfmSelect(QWidget* parent = nullptr);
};

} // namespace korvel
