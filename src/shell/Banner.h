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

    // Captions that other windows and the exports read.
    static QString title();    // "KORVEL 3"
    static QString subtitle(); // "Database of physicochemical properties of alloys"
    static QString authors();  // the authors' label
    static QString versionCaption(); // "Version " and the project's version

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvel
