#include "PicturePrint.h"

#include "Printers.h"
#include "core/UiServices.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <functional>

namespace korvel::exports {

QFont headingFont(int pointSize, bool bold)
{
    static const QStringList candidates{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                                        QStringLiteral("Nimbus Roman"),    QStringLiteral("DejaVu Serif"),
                                        QStringLiteral("FreeSerif"),       QStringLiteral("Noto Serif")};
    QString family = candidates.first();
    const QStringList installed = QFontDatabase::families();
    for (const QString& c : candidates) {
        if (installed.contains(c, Qt::CaseInsensitive)) {
            family = c;
            break;
        }
    }
    QFont font(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::Serif);
    return font;
}

namespace {
QRectF edges(double left, double top, double right, double bottom)
{
    return QRectF(left, top, right - left, bottom - top);
}
} // namespace

PicturePage phaseDiagramPage(QSize picture, int printerDpiX, int printerDpiY, int screenDpiX, int screenDpiY)
{
    // A printer coarser than the screen would give a factor of 0 and fold the
    // picture over; it is printed at one dot per pixel instead.
    const int sx = std::max(1, screenDpiX > 0 ? printerDpiX / screenDpiX : 1);
    const int sy = std::max(1, screenDpiY > 0 ? printerDpiY / screenDpiY : 1);
    PicturePage page;
    page.pictureRect = edges(20, 100, double(sx) * picture.width(), double(sy) * picture.height());
    page.heading = QStringLiteral("KORVEL Database of Lead - Free Soldering Materials");
    page.headingTopLeft = QPointF(10, 10);
    page.headingPointSize = 18;
    return page;
}

PicturePage scanPage(QSize picture)
{
    PicturePage page;
    page.pictureRect = edges(50, 200, 2.0 * picture.width(), 2.0 * picture.height());
    page.heading = QStringLiteral("KORVEL 2 Database of Lead - Free Soldering Materials");
    page.headingTopLeft = QPointF(50, 50);
    page.headingPointSize = 12;
    return page;
}

bool paintPicturePage(QPaintDevice* device, const QImage& picture, const PicturePage& page)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!picture.isNull() && page.pictureRect.width() > 0 && page.pictureRect.height() > 0)
        painter.drawImage(page.pictureRect, picture);
    painter.setFont(headingFont(page.headingPointSize));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), device);
    painter.drawText(QPointF(page.headingTopLeft.x(), page.headingTopLeft.y() + metrics.ascent()), page.heading);
    return painter.end();
}

bool printPhaseDiagram(QPrinter* printer, const QImage& picture, int screenDpiX, int screenDpiY)
{
    return paintPicturePage(printer, picture,
                            phaseDiagramPage(picture.size(), printer->logicalDpiX(), printer->logicalDpiY(),
                                             screenDpiX, screenDpiY));
}

bool printScan(QPrinter* printer, const QImage& picture)
{
    return paintPicturePage(printer, picture, scanPage(picture.size()));
}

namespace {
void printOnDefault(const std::function<bool(QPrinter*)>& print)
{
    std::unique_ptr<QPrinter> printer = defaultPrinter(QPrinter::HighResolution);
    if (!printer) {
        ui().message(noPrinterMessage());
        return;
    }
    if (!print(printer.get()))
        ui().error(printFailedMessage(*printer));
}
} // namespace

void printPhaseDiagramOnDefaultPrinter(const QImage& picture, int screenDpiX, int screenDpiY)
{
    printOnDefault([&](QPrinter* p) { return printPhaseDiagram(p, picture, screenDpiX, screenDpiY); });
}

void printScanOnDefaultPrinter(const QImage& picture)
{
    printOnDefault([&](QPrinter* p) { return printScan(p, picture); });
}

} // namespace korvel::exports
