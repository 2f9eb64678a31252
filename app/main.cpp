#include "database/DataModule.h"
#include "shell/Forms.h"
#include "shell/QtUiServices.h"
#include "shell/TfmStart.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel 3"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    korvel::QtUiServices services;
    korvel::setUi(&services);

    int result = 0;
    {
        korvel::TdmDataModule dataModule; // dmDataModule: before any window
        korvel::TfmStart* start = korvel::forms::createWindows();
        start->show();
        result = QApplication::exec();
        korvel::forms::destroyWindows();
    }
    return result;
}
