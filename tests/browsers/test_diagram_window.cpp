// The phase-diagram window's picture: 1:1 at first, zoomed by the buttons, the
// shortcuts and the wheel about the pointer, fitted to the window, and panned
// by dragging.
#include "browsers/TfmDiagram.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

using namespace korvel;

namespace {

// A picture whose pixels tell where they are: red left half, blue right half.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

void wheel(QWidget* viewport, QPointF at, int delta)
{
    QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &e);
}

} // namespace

class TestDiagramWindow : public QObject {
    Q_OBJECT
private slots:
    void startsAtActualSizeAndZooms()
    {
        TfmDiagram window;
        window.setPicture(halves(960, 760));
        window.resize(700, 560);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ZoomPictureView* view = window.image();
        QCOMPARE(view->zoom(), 1.0);
        QCOMPARE(view->pictureRect().size(), QSizeF(960, 760));
        auto* label = window.findChild<QLabel*>(QStringLiteral("lblZoom"));
        QCOMPARE(label->text(), QStringLiteral("100 %"));

        window.findChild<QPushButton*>(QStringLiteral("sbZoomIn"))->click();
        QCOMPARE(view->zoom(), 1.25);
        QCOMPARE(label->text(), QStringLiteral("125 %"));
        QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(view->zoom(), 1.0);
        QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(view->zoom(), 0.8);
        QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(view->zoom(), 1.0);

        // Fit: the whole picture inside the view, touching it on one side.
        QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
        const QRectF fitted = view->pictureRect();
        const QRectF room(QPointF(0, 0), QSizeF(view->viewport()->size()));
        QVERIFY(room.adjusted(-0.5, -0.5, 0.5, 0.5).contains(fitted));
        QVERIFY(qAbs(fitted.width() - room.width()) < 1 || qAbs(fitted.height() - room.height()) < 1);
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        window.findChild<QPushButton*>(QStringLiteral("sbActualSize"))->click();
        QCOMPARE(view->zoom(), 1.0);

        // The zoom stays within its limits.
        for (int i = 0; i < 40; ++i)
            view->zoomIn();
        QCOMPARE(view->zoom(), ZoomPictureView::MaxZoom);
        for (int i = 0; i < 60; ++i)
            view->zoomOut();
        QCOMPARE(view->zoom(), ZoomPictureView::MinZoom);
    }

    // The wheel zooms about the pointer: the picture point under it stays there.
    void wheelKeepsThePointUnderThePointer()
    {
        TfmDiagram window;
        window.setPicture(halves(960, 760));
        window.resize(700, 560);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ZoomPictureView* view = window.image();
        const QPointF at(150, 120);
        const QPointF before = (at - view->pictureRect().topLeft()) / view->zoom();
        wheel(view->viewport(), at, 120);
        QCOMPARE(view->zoom(), 1.25);
        const QPointF after = (at - view->pictureRect().topLeft()) / view->zoom();
        QVERIFY2(QLineF(before, after).length() < 1.0, qPrintable(QStringLiteral("%1,%2 -> %3,%4")
                                                                       .arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
        wheel(view->viewport(), at, -240);
        QCOMPARE(view->zoom(), 0.8);
    }

    // Dragging moves the picture with the pointer where it is larger than the view.
    void dragPans()
    {
        TfmDiagram window;
        window.setPicture(halves(960, 760));
        window.resize(600, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ZoomPictureView* view = window.image();
        const QPointF start = view->pictureRect().topLeft();
        QWidget* vp = view->viewport();
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(200, 150), vp->mapToGlobal(QPointF(200, 150)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
        QCOMPARE(view->pictureRect().topLeft(), start + QPointF(-100, -50));
        // A new picture starts at 1:1 in its top left corner again.
        view->zoomIn();
        window.setPicture(halves(300, 200));
        QCOMPARE(view->zoom(), 1.0);
        QCOMPARE(window.picture().size(), QSize(300, 200));
    }

    // A section with a solder corner: "Solder corner" switches pictures, each at 1:1;
    // a diagram without one hides the button.
    void solderCornerSwitches()
    {
        TfmDiagram window;
        auto* corner = window.findChild<QPushButton*>(QStringLiteral("sbCorner"));
        window.setPicture(halves(960, 760));
        window.setCornerPicture(halves(400, 300));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(corner->isVisible());
        QCOMPARE(window.picture().size(), QSize(960, 760));
        window.image()->zoomIn();
        corner->click();
        QVERIFY(window.showingCorner());
        QCOMPARE(window.picture().size(), QSize(400, 300));
        QCOMPARE(window.image()->zoom(), 1.0);
        corner->click();
        QCOMPARE(window.picture().size(), QSize(960, 760));
        window.setPicture(halves(500, 400));
        window.setCornerPicture(QImage());
        QVERIFY(!corner->isVisible());
        QVERIFY(!window.showingCorner());
    }
};

QTEST_MAIN(TestDiagramWindow)
#include "test_diagram_window.moc"
