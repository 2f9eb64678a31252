// The user-data text format: a file's bytes are decoded, split into lines and
// every line is read. Each record must hold only finite, non-negative values,
// at most 21, the first always present; an empty line yields no record.
#include "models/UserData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvel;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = splitUserDataLines(decodeUserDataFile(bytes));
    const UserDataLineParser parser;
    TPointList points;
    for (const QString& line : lines) {
        const UserDataLine r = parser.parse(line);
        if (r.kind == UserDataLine::Kind::Record) {
            if (r.numberCount < 1 || r.numberCount > PointRecord::Size || !r.record.has(0))
                std::abort();
            for (int k = 0; k < PointRecord::Size; ++k) {
                const bool present = k < r.numberCount;
                if (r.record.has(k) != present)
                    std::abort();
                if (present && !(r.record[k] >= 0 && std::isfinite(r.record[k])))
                    std::abort();
            }
            points.Add(r.record);
        } else if (r.kind == UserDataLine::Kind::Empty && !line.trimmed().isEmpty()) {
            // Only blanks and control characters make a line empty.
            for (QChar c : line)
                if (c > QLatin1Char(' '))
                    std::abort();
        }
    }
    if (points.Count() > 0)
        (void)points.Get(points.Count() - 1);
    // Saving and reading again gives the same lines.
    if (splitUserDataLines(decodeUserDataFile(encodeUserDataFile(lines))) != lines)
        std::abort();
    return 0;
}
