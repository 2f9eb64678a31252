#pragma once
// The chart window: one property of one alloy system as isotherms or
// temperature dependences, with its selectors, grids and buttons.
#include <QDialog>

namespace korvel {

class TfmWykres : public QDialog {
    Q_OBJECT
public:
    explicit TfmWykres(QWidget* parent = nullptr);
};

} // namespace korvel
