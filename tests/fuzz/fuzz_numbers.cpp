// Number texts typed by the user: normalisation, the four-decimal conversion
// and the integer conversion of temperature fields. A text is either refused
// with NumberFormatError or gives a value whose own text reads back to it.
#include "core/Numbers.h"

#include <cstdint>
#include <cstdlib>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QString normalised = NormaliseNumberText(text);
        for (QChar c : normalised)
            if (!(c == QLatin1Char(',') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))))
                std::abort();
        const FixedPoint4 value = fixedPointFromNormalised(normalised);
        const QString back = value.shortestText(QLatin1Char(','));
        if (fixedPointFromNormalised(back) != value)
            std::abort();
    } catch (const NumberFormatError&) {
    }
    try {
        (void)integerFromText(text);
    } catch (const NumberFormatError&) {
    }
    return 0;
}
