#pragma once
// Decodes JPEG pictures of the document tree with libjpeg. A file that cannot
// be read, is not a JPEG or is cut short gives an error text naming the file;
// libjpeg's own fatal errors are caught, so a broken picture never ends the program.
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

    static Result decodeFile(const QString& path);
    // name: what the error texts call the data (usually the file's path).
    static Result decode(const QByteArray& data, const QString& name);
};

} // namespace korvel
