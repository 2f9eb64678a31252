#pragma once
// The program as it runs, for the picture-browser tests: a copy of the
// fixture database (changed by the given statements before the data module
// opens it), the data module and the windows of the start-up list. Windows
// shown modally are recorded by name and handled by the scripts in onWindow,
// then closed.
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "database/DataModule.h"
#include "shell/Forms.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <functional>
#include <memory>

namespace korvel::test {

struct BrowserProgram {
    ScriptedUi ui;
    FixtureDatabase fixture;
    std::unique_ptr<TdmDataModule> dm;
    TfmStart* start = nullptr;
    QStringList shown;                                      // modal windows by name, in order
    QHash<QString, std::function<void(QWidget*)>> onWindow; // runs while that window is shown

    explicit BrowserProgram(const QStringList& statements = {})
    {
        change(statements);
        dm.reset(new TdmDataModule);
        start = forms::createWindows();
        ui.onModal = [this](QWidget* w) {
            shown << w->objectName();
            if (const auto script = onWindow.value(w->objectName())) {
                w->show();
                script(w);
            }
            w->close();
            return 0;
        };
    }
    ~BrowserProgram()
    {
        forms::destroyWindows();
        dm.reset();
    }

    void change(const QStringList& statements)
    {
        if (statements.isEmpty())
            return;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prepare"));
            db.setDatabaseName(fixture.databaseFile());
            QVERIFY(db.open());
            for (const QString& sql : statements) {
                QSqlQuery q(db);
                QVERIFY2(q.exec(sql), qPrintable(sql));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("prepare"));
    }

    // Chooses the class, presses "OK" and, in the selection window, chooses the
    // system and the property, then runs `body`.
    void inSelection(const QString& className, const QString& system, const QString& property,
                     const std::function<void(TfmSelect*)>& body)
    {
        QVERIFY(start->classList()->chooseText(className));
        bool ran = false;
        onWindow.insert(QStringLiteral("fmSelect"), [&](QWidget* w) {
            auto* select = qobject_cast<TfmSelect*>(w);
            if (select->systemList()->chooseText(system) && select->propertyList()->chooseText(property)) {
                ran = true;
                body(select);
            }
        });
        start->sbOKClick();
        onWindow.remove(QStringLiteral("fmSelect"));
        QVERIFY2(ran, qPrintable(QStringLiteral("%1 / %2 not offered").arg(system, property)));
    }

    // The names of the modal windows shown after the first `from` ones.
    QStringList shownSince(int from) const { return shown.mid(from); }
};

} // namespace korvel::test
