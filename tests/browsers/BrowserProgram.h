#pragma once
// The program as it runs, for the picture-browser tests: a copy of the
// fixture database (changed by the given statements before the data module
// opens it), the data module and the windows of the start-up list. Windows
// shown modally are recorded by name and handled by the scripts in onWindow,
// then closed.
#include "Checks.h"
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "database/DataModule.h"
#include "app/AppWindows.h"
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
        // A statement that fails is recorded against the running test.
        (void)change(statements);
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

    [[nodiscard]] bool change(const QStringList& statements)
    {
        if (statements.isEmpty())
            return true;
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prepare"));
            db.setDatabaseName(fixture.databaseFile());
            ok = QTest::qVerify(db.open(), "db.open()", "", __FILE__, __LINE__);
            for (const QString& sql : statements) {
                QSqlQuery q(db);
                ok = ok && QTest::qVerify(q.exec(sql), "q.exec(sql)", qPrintable(sql), __FILE__, __LINE__);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("prepare"));
        return ok;
    }

    // Chooses the class, presses "OK" and, in the selection window, chooses the
    // system and the property, then runs `body`.
    [[nodiscard]] bool inSelection(const QString& className, const QString& system, const QString& property,
                                   const std::function<void(TfmSelect*)>& body)
    {
        KORVEL_CHECK(start->classList()->chooseText(className));
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
        KORVEL_CHECK_STEPS();
        KORVEL_CHECK2(ran, qPrintable(QStringLiteral("%1 / %2 not offered").arg(system, property)));
        return true;
    }

    // The names of the modal windows shown after the first `from` ones.
    QStringList shownSince(int from) const { return shown.mid(from); }
};

} // namespace korvel::test
