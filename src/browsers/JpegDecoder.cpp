#include "JpegDecoder.h"

#include <QDir>
#include <QFile>

#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace korvel {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the decoder with the message kept.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Counts the scans libjpeg reads and stops a picture with too many of them.
struct ScanLimit {
    jpeg_progress_mgr pub;
    ErrorManager* errors = nullptr;
};

extern "C" void onProgress(j_common_ptr info)
{
    auto* limit = reinterpret_cast<ScanLimit*>(info->progress);
    if (info->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(info);
        if (d->input_scan_number > JpegDecoder::MaxScans) {
            std::snprintf(limit->errors->message, sizeof limit->errors->message,
                          "the picture has more than %d scans", JpegDecoder::MaxScans);
            std::longjmp(limit->errors->jump, 1);
        }
    }
}

extern "C" void onFatalError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

extern "C" void onMessage(j_common_ptr info, int level)
{
    // A warning of "premature end of data" means libjpeg would fill the rest
    // of the picture with grey: such a truncated file is refused, so stop at
    // once rather than decode the grey rows first. Other warnings (extraneous
    // bytes and the like) leave a usable picture.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        auto* manager = reinterpret_cast<ErrorManager*>(info->err);
        (*info->err->format_message)(info, manager->message);
        std::longjmp(manager->jump, 1);
    }
}

QString failure(const QString& name, const QString& reason)
{
    return QStringLiteral("The picture %1 cannot be shown: %2").arg(QDir::toNativeSeparators(name), reason);
}

} // namespace

JpegDecoder::Result JpegDecoder::decodeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), failure(path, file.errorString())};
    return decode(file.readAll(), path);
}

JpegDecoder::Result JpegDecoder::decode(const QByteArray& data, const QString& name, qint64 maxPixels)
{
    if (data.isEmpty())
        return {QImage(), failure(name, QStringLiteral("the file is empty."))};

    jpeg_decompress_struct info {};
    ErrorManager manager {};
    info.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = onFatalError;
    manager.pub.emit_message = onMessage;
    manager.message[0] = '\0';
    ScanLimit scanLimit {};
    scanLimit.pub.progress_monitor = onProgress;
    scanLimit.errors = &manager;

    // Everything that must survive a longjmp lives outside the protected block.
    QImage* volatile image = nullptr;
    if (setjmp(manager.jump)) {
        delete image;
        jpeg_destroy_decompress(&info);
        return {QImage(), failure(name, QString::fromLocal8Bit(manager.message) + QStringLiteral("."))};
    }

    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MaxLibjpegMemory;
    info.progress = &scanLimit.pub;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // jpeg_start_decompress allocates for the declared size: check it first.
    const qint64 declaredPixels = qint64(info.image_width) * qint64(info.image_height);
    if (info.image_width > unsigned(MaxSide) || info.image_height > unsigned(MaxSide) || declaredPixels > qMin(maxPixels, MaxPixels)) {
        const QString size = QStringLiteral("%1 × %2").arg(info.image_width).arg(info.image_height);
        jpeg_destroy_decompress(&info);
        return {QImage(), failure(name, QStringLiteral("the picture is too large (%1 pixels).").arg(size))};
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = new QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image->isNull()) {
        delete image;
        jpeg_destroy_decompress(&info);
        return {QImage(), failure(name, QStringLiteral("the picture is too large."))};
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    QImage result = *image;
    delete image;
    return {result, QString()};
}

} // namespace korvel
