#pragma once
// The windows created at start-up, in the order the program creates them.
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace korvel::forms {

struct WindowFactory {
    QString name;                   // instance name, e.g. "fmBadania3"
    std::function<QWidget*()> create;
};

const QList<WindowFactory>& windowFactories();

} // namespace korvel::forms
