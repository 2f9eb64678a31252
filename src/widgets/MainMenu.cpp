#include "MainMenu.h"

#include "Forms.h"
#include "SharedCommands.h"
#include "core/Navigator.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QDir>
#include <QStyle>

namespace korvel {

QList<ModelMenuItem> modelMenuItems(MainMenuKind kind)
{
    const bool chart = kind == MainMenuKind::Chart;
    return {
        {QStringLiteral("Dravik (Drv)"), QStringLiteral("fmDravik")},
        {QStringLiteral("Dravik-Marten (D-M)"), QStringLiteral("fmDravikMarten")},
        {chart ? QStringLiteral("Iida-Ueda-Morita G_ex (I-U-M_G)") : QStringLiteral("Iida-Ueda-Morita_Gex (I-U-M_G)"),
         QStringLiteral("fmIida")},
        {chart ? QStringLiteral("Iida-Ueda-Morita Hm (I-U-M_H)") : QStringLiteral("Iida-Ueda-Morita_Hm (I-U-M_H)"),
         QStringLiteral("fmIida")},
        {QStringLiteral("Kaptay (Kap)"), QStringLiteral("fmKaptay")},
        {QStringLiteral("Kozlov-Romanov-Petrov (K-R-P)"), QStringLiteral("fmKozlov")},
        {QStringLiteral("Kucharski (Kuc)"), QStringLiteral("fmKucharski")},
        {QStringLiteral("Moelwyn-Hughes (M-H)"), QStringLiteral("fmMoelwyn")},
        {QStringLiteral("Sato (Sat)"), QStringLiteral("fmSato")},
        {QStringLiteral("Schick-Brillo-Egry-Hallstedt (S-B-E-H)"), QStringLiteral("fmSchick")},
        {QStringLiteral("Seetharaman-Sichen (S-S)"), QStringLiteral("fmSeetharaman")},
        {QStringLiteral("Sichen-Bygden-Seetharaman (S-B-S)"), QStringLiteral("fmSichen")},
    };
}

MainMenuCommands standardMenuCommands(MainMenuKind kind)
{
    MainMenuCommands c;
    c.showWindow = [](const QString& name) { forms::showModal(name); };
    if (kind == MainMenuKind::Start) {
        c.accessPath = &askAccessPathOfDatabase;
    } else {
        c.accessPath = &runOlderProgram;
    }
    c.exitProgram = &exitToWindows;
    c.openDta = [] { navigator().openDta(); };
    c.openNist = &openNistPage;
    c.openAlloyProperties = [] { navigator().openAlloyProperties(); };
    c.openHelp = &openHelp;
    return c;
}

MainMenuActions buildMainMenu(QMenuBar* bar, MainMenuKind kind, const MainMenuCommands& commands)
{
    MainMenuActions actions;
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QStyle* style = bar->style();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    QMenu* methods = file->addMenu(QStringLiteral("Experimental methods"));
    methods->setObjectName(QStringLiteral("Experimentalmethods1"));
    const QList<QPair<QString, QString>> methodItems = {
        {QStringLiteral("Maximum bubble pressure method"), QStringLiteral("fmBadania3")},
        {QStringLiteral("Dilatometric method"), QStringLiteral("fmBadania4")},
        {QStringLiteral("Meniscographic method"), QStringLiteral("fmBadania1")},
        {QStringLiteral("Sessile drop method"), QStringLiteral("fmBadania2")},
    };
    for (const auto& [caption, window] : methodItems) {
        QAction* a = methods->addAction(caption);
        a->setObjectName(QStringLiteral("method_") + window);
        QObject::connect(a, &QAction::triggered, a, [show = commands.showWindow, w = window] { show(w); });
    }
    if (kind == MainMenuKind::Chart) {
        QMenu* save = file->addMenu(QStringLiteral("&Save data"));
        save->setObjectName(QStringLiteral("Savedata1"));
        actions.equations = named(save->addAction(QStringLiteral("Equations")), "Equations1");
        actions.calculatedValue = named(save->addAction(QStringLiteral("Calculated value")), "Calculatedvalue1");
        actions.viscosityModel = named(save->addAction(QStringLiteral("Viscosity model")), "Modelofviscosity1");
        actions.saveGraph = named(save->addAction(QStringLiteral("Save graph")), "SaveGraph");
        actions.equations->setEnabled(false);
        actions.calculatedValue->setEnabled(false);
        actions.viscosityModel->setEnabled(false);
    }
    actions.accessPath = named(file->addAction(QStringLiteral("Access path of the database")), "AcessDatabase1");
    QObject::connect(actions.accessPath, &QAction::triggered, actions.accessPath, commands.accessPath);
    file->addSeparator();
    QAction* exit = named(file->addAction(QStringLiteral("&Exit to Windows")), "LitForm");
    exit->setIcon(style->standardIcon(QStyle::SP_DialogCloseButton));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    exit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(exit, &QAction::triggered, exit, commands.exitProgram);

    QAction* dta = named(bar->addAction(QStringLiteral("&DTA")), "DTA1");
    QObject::connect(dta, &QAction::triggered, dta, commands.openDta);

    QMenu* database = bar->addMenu(QStringLiteral("&Database"));
    database->setObjectName(QStringLiteral("Database1"));
    QAction* nist = named(database->addAction(QStringLiteral("NIST database")), "NISTdatabase2");
    nist->setIcon(style->standardIcon(QStyle::SP_DriveNetIcon));
    QObject::connect(nist, &QAction::triggered, nist, commands.openNist);
    if (kind != MainMenuKind::Chart && commands.openAlloyProperties) {
        QAction* alloy = named(database->addAction(QStringLiteral("Alloy properties\u2026")), "Alloyproperties1");
        QObject::connect(alloy, &QAction::triggered, alloy, commands.openAlloyProperties);
    }

    QMenu* viscosity = bar->addMenu(QStringLiteral("&Viscosity"));
    viscosity->setObjectName(QStringLiteral("Viscosity1"));
    QMenu* models = viscosity->addMenu(QStringLiteral("&Models"));
    models->setObjectName(QStringLiteral("Models1"));
    int index = 0;
    for (const ModelMenuItem& item : modelMenuItems(kind)) {
        QAction* a = models->addAction(item.caption);
        a->setObjectName(QStringLiteral("model%1").arg(++index));
        QObject::connect(a, &QAction::triggered, a, [show = commands.showWindow, w = item.window] { show(w); });
    }

    if (kind == MainMenuKind::Chart) {
        actions.addData = named(bar->addAction(QStringLiteral("&Add data")), "Adddata1");
        actions.addData->setEnabled(false);
    }
    QAction* help = named(bar->addAction(QStringLiteral("&Help")), "Help1");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(help, &QAction::triggered, help, commands.openHelp);
    return actions;
}

MainMenuActions buildMainMenu(QMenuBar* bar, MainMenuKind kind)
{
    return buildMainMenu(bar, kind, standardMenuCommands(kind));
}

} // namespace korvel
