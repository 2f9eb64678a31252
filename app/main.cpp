#include "shell/QtUiServices.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel 3"));
    korvel::QtUiServices services;
    korvel::setUi(&services);
    return 0;
}
