#include "JpegSamples.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace korvel::test {

namespace {
QByteArray encode(int width, int height, int components, const std::vector<unsigned char>& row)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr err {};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = const_cast<unsigned char*>(row.data());
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}
} // namespace

QByteArray greyJpeg(int width, int height, int level)
{
    return encode(width, height, 1, std::vector<unsigned char>(size_t(width), static_cast<unsigned char>(level)));
}

QByteArray jpegOfColour(int width, int height, QColor colour)
{
    std::vector<unsigned char> row(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[size_t(x) * 3] = static_cast<unsigned char>(colour.red());
        row[size_t(x) * 3 + 1] = static_cast<unsigned char>(colour.green());
        row[size_t(x) * 3 + 2] = static_cast<unsigned char>(colour.blue());
    }
    return encode(width, height, 3, row);
}

} // namespace korvel::test
