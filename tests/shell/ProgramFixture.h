#pragma once
// The program as it runs, for window tests: a copy of the fixture database,
// the data module and the windows of the start-up list, and a way to reach
// the selection window through the start window's "OK".
#include "FixtureDatabase.h"
#include "ScriptedUi.h"
#include "database/DataModule.h"
#include "app/AppWindows.h"
#include "shell/TfmSelect.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"
#include "Checks.h"

#include <QtTest>
#include <functional>
#include <memory>

namespace korvel::test {

struct Program {
    ScriptedUi ui;
    FixtureDatabase fixture;
    std::unique_ptr<TdmDataModule> dm;
    TfmStart* start = nullptr;

    Program()
    {
        dm.reset(new TdmDataModule);
        start = forms::createWindows();
    }
    ~Program()
    {
        forms::destroyWindows();
        dm.reset();
    }

    // Chooses the class, presses "OK" and runs `body` while the selection
    // window is shown (a real show, offscreen); the window is closed afterwards.
    // False when a step or the body failed.
    [[nodiscard]] bool inSelection(const QString& className, const std::function<void(TfmSelect*)>& body)
    {
        KORVEL_CHECK(start->classList()->chooseText(className));
        bool ran = false;
        ui.onModal = [&](QWidget* w) {
            if (auto* select = qobject_cast<TfmSelect*>(w)) {
                ran = true;
                select->show();
                body(select);
            }
            w->close();
            return 0;
        };
        start->sbOKClick();
        ui.onModal = nullptr;
        KORVEL_CHECK_STEPS();
        KORVEL_CHECK(ran);
        KORVEL_CHECK(!forms::window(QStringLiteral("fmSelect"))); // released when it closes
        return true;
    }
};

} // namespace korvel::test
