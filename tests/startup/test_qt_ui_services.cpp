#include "shell/QtUiServices.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

using namespace korvel;

namespace {
// A window that refuses to close while `refuse` is set, as a window does that asks first.
struct Refusing : QWidget {
    bool refuse = true;
    void closeEvent(QCloseEvent* event) override
    {
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};
} // namespace

// The Qt services show a plain (non-dialog) window modally in a loop of their
// own; the loop must run until the window is really gone.
class TestQtUiServices : public QObject {
    Q_OBJECT

private slots:
    void plainWindowStaysModalUntilHidden()
    {
        QtUiServices services;
        Refusing window;
        QStringList seen;
        // Each step runs inside the modal loop; a step that finds the loop ended
        // has nothing left to do.
        auto step = [&](int ms, const char* what, const std::function<void()>& action) {
            QTimer::singleShot(ms, &window, [&, what, action] {
                seen << QString::fromLatin1(what) + (window.isVisible() ? QStringLiteral(":visible") : QStringLiteral(":hidden"));
                action();
            });
        };
        step(20, "minimise", [&] { window.showMinimized(); });
        step(60, "restore", [&] { window.showNormal(); });
        step(100, "refused close", [&] { window.close(); });
        step(140, "close", [&] { window.refuse = false; window.close(); });
        QTimer::singleShot(3000, &window, [&] { window.hide(); }); // safety net
        services.showModal(&window);
        QVERIFY(!window.isVisible());
        QCOMPARE(seen, (QStringList{"minimise:visible", "restore:visible", "refused close:visible", "close:visible"}));
        QCOMPARE(window.windowModality(), Qt::NonModal); // as it was before
    }
};

QTEST_MAIN(TestQtUiServices)
#include "test_qt_ui_services.moc"
