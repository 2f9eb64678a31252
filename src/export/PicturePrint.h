#pragma once
// Printing a shown picture under a heading line: the phase-diagram window and
// the scan window. Coordinates are printer dots; a rectangle is given by its
// left, top, right and bottom edges as the print layout defines them.
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPrinter;

namespace korvel::exports {

// "Times New Roman" in the given size and weight, or the first installed serif
// family where it is missing.
QFont headingFont(int pointSize, bool bold = true);

struct PicturePage {
    QRectF pictureRect; // where the picture is stretched
    QString heading;
    QPointF headingTopLeft;
    int headingPointSize = 12;
};

// Phase diagram: sx = printer dpi div screen dpi (at least 1), sy likewise;
// picture from (20, 100) to (sx * width, sy * height); 18-point heading at (10, 10).
PicturePage phaseDiagramPage(QSize picture, int printerDpiX, int printerDpiY, int screenDpiX, int screenDpiY);
// Scan: picture from (50, 200) to (2 * width, 2 * height); 12-point heading at (50, 50).
PicturePage scanPage(QSize picture);

// Paints the page on any device (a printer, or an image in tests). Returns false
// when painting could not start; the painting is always ended.
bool paintPicturePage(QPaintDevice* device, const QImage& picture, const PicturePage& page);

// Prints one page on the printer. Returns false when the job could not start.
bool printPhaseDiagram(QPrinter* printer, const QImage& picture, int screenDpiX, int screenDpiY);
bool printScan(QPrinter* printer, const QImage& picture);

// The print commands of the phase-diagram and scan windows: the page goes to the
// default printer; without a printer, or when the job fails, the user is told.
void printPhaseDiagramOnDefaultPrinter(const QImage& picture, int screenDpiX, int screenDpiY);
void printScanOnDefaultPrinter(const QImage& picture);

} // namespace korvel::exports
