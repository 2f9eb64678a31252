#pragma once
// The banner across the top of the start and selection windows: the makers'
// names, the program's title and subtitle, the patron and the authors.
#include <QFrame>

class QLabel;

namespace korvel {

class Banner : public QFrame {
    Q_OBJECT
public:
    explicit Banner(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvel
