// The JPEG decoder of the picture browsers: any bytes give a picture or an
// error text, never a crash, a hang or an allocation beyond the decoder's limits.
#include "browsers/JpegDecoder.h"

#include <cstdint>
#include <cstdlib>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // A tighter pixel limit keeps each run short: a mutated header that declares
    // tens of millions of pixels would otherwise spend its time filling grey rows.
    constexpr qint64 limit = 1'000'000;
    const JpegDecoder::Result result = JpegDecoder::decode(bytes, QStringLiteral("fuzz.jpg"), limit);
    if (result.ok()) {
        if (result.image.format() != QImage::Format_RGB888
            || qint64(result.image.width()) * result.image.height() > limit)
            std::abort();
    } else if (!result.image.isNull() || !result.error.contains(QStringLiteral("fuzz.jpg"))) {
        std::abort();
    }
    return 0;
}
