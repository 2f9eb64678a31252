#pragma once
#include <QByteArray>
#include <QColor>

namespace korvel::test {
// A small JPEG picture of one colour, encoded with libjpeg.
QByteArray jpegOfColour(int width, int height, QColor colour);
} // namespace korvel::test
