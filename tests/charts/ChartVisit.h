#pragma once
// One visit of the chart window for the tests: the data module on a fresh copy
// of a fixture database, the choices of the start and selection windows, the
// eutectic chooser answered with a section, and the window shown.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "charts/TfmEut.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "app/AppWindows.h"
#include "widgets/DbLookupList.h"

#include <QCoreApplication>
#include <QPushButton>
#include <functional>
#include <memory>

namespace korvel::test {

struct ChartVisitOptions {
    int classId = 2;
    QString className = QStringLiteral("Binary systems");
    QString system = QStringLiteral("Ag-Sn");
    QString property = QStringLiteral("Density");
    bool isotherms = true;
    bool model = false;   // the selection window's "Model"
    QString section;      // what the eutectic chooser picks (empty: OK without picking)
};

struct ChartVisit {
    ScriptedUi ui;
    FixtureDatabase fixture;
    std::unique_ptr<TdmDataModule> dm;
    Choices choices;
    TfmWykres* w = nullptr;
    // What the eutectic chooser picks (empty: OK without picking); may be changed during the visit.
    QString section;
    // Runs while a modal window other than the eutectic chooser is open.
    std::function<void(QWidget*)> onOtherModal;

    ChartVisit(const QString& fixtureName, const ChartVisitOptions& o) : fixture(fixtureName), section(o.section)
    {
        app::wireProgram();
        dm.reset(new TdmDataModule);
        choices = {o.className, o.system, o.property, o.isotherms, !o.isotherms, o.model};
        session().setChoices(choices);
        ui.onModal = [this](QWidget* window) {
            if (auto* chooser = qobject_cast<TfmEut*>(window)) {
                if (!section.isEmpty())
                    chooser->list()->chooseText(section);
                chooser->findChild<QPushButton*>(QStringLiteral("sbOK"))->click();
            } else if (onOtherModal) {
                onOtherModal(window);
            }
            return 0;
        };
        dm->query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), o.classId);
        dm->OpenSystems();
        dm->query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), o.system);
        dm->query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), o.property);
        dm->OpenPublications();
        dm->OpenPublications2();
        dm->OpenAxisLabel();
        w = new TfmWykres;
        w->show();
        QCoreApplication::processEvents();
    }
    ~ChartVisit()
    {
        delete w;
        // Windows the visit reached on demand (the figure browser of the figure
        // fallback) live in the window registry; the program releases them at its end.
        forms::destroyWindows();
        session().setChoices({});
    }
    PlotWidget* chart() const { return w->chart(); }
    QList<PlotSeries*> series(SeriesKind kind) const
    {
        QList<PlotSeries*> result;
        for (PlotSeries* s : chart()->allSeries())
            if (s->kind() == kind)
                result << s;
        return result;
    }
};

} // namespace korvel::test
