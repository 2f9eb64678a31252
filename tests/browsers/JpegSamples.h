#pragma once
#include <QByteArray>
#include <QColor>

namespace korvel::test {
// A small JPEG picture of one colour, encoded with libjpeg.
QByteArray jpegOfColour(int width, int height, QColor colour);
// A grey picture stored with one component.
QByteArray greyJpeg(int width, int height, int level);
} // namespace korvel::test
