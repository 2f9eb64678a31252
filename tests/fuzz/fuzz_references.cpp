// The references file of the phase diagrams. The input is the file's bytes; the
// system asked for is one that occurs in the shipped file or, when the input
// holds a zero byte, the text before it (so tags of any form get tried).
#include "browsers/DiagramReferences.h"

#include <cstdint>
#include <cstdlib>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString system = QStringLiteral("Sn-Pb");
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        system = DiagramReferences::decodeText(bytes.left(zero));
        bytes.remove(0, zero + 1);
    }
    const QString text = DiagramReferences::decodeText(bytes);
    const QStringList lines = DiagramReferences::splitLines(text);
    for (const QString& line : lines)
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            std::abort();
    const QStringList entries = DiagramReferences::parse(bytes, system);
    if (entries.size() > lines.size())
        std::abort();
    for (const QString& entry : entries)
        if (entry.contains(QLatin1Char('|')))
            std::abort();
    return 0;
}
