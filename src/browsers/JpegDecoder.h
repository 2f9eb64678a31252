#pragma once
// Decodes JPEG pictures of the document tree with libjpeg. A file that cannot
// be read, is not a JPEG or is cut short gives an error text naming the file;
// libjpeg's own fatal errors are caught, so a broken picture never ends the program.
// The size a file declares is checked before anything is allocated for it, and
// libjpeg works under a memory limit, so a few hundred bytes claiming a huge
// picture cannot exhaust the machine's memory.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace korvel {

class JpegDecoder {
public:
    struct Result {
        QImage image;  // null on failure
        QString error; // empty on success
        bool ok() const { return error.isEmpty() && !image.isNull(); }
    };

    // Largest picture decoded: 60 million pixels (a scanned A4 page at 600 dpi
    // has 35 million), at most 30000 pixels a side.
    static constexpr qint64 MaxPixels = 60'000'000;
    static constexpr int MaxSide = 30000;
    // What libjpeg may allocate for its own work (progressive pictures keep a
    // coefficient buffer of the whole picture: 2 bytes a sample).
    static constexpr long MaxLibjpegMemory = 512L * 1024 * 1024;
    // A progressive picture of more scans than this is refused: each scan
    // decodes the whole picture again, so a tiny file could keep the decoder busy for minutes.
    static constexpr int MaxScans = 500;

    static Result decodeFile(const QString& path);
    // name: what the error texts call the data (usually the file's path);
    // maxPixels: a tighter pixel limit where a caller wants one.
    static Result decode(const QByteArray& data, const QString& name, qint64 maxPixels = MaxPixels);
};

} // namespace korvel
