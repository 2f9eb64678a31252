// The Paradox table reader of korvel3-import. The input is a table file's
// bytes; a file the reader refuses is fine, a crash, a sanitizer report, a
// hang or a result that does not fit the table's own columns is not.
#include "tools/import/ParadoxReader.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

using namespace korvel::import;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const SourceTable table = readParadoxTable(bytes, QStringLiteral("fuzz.db"), QStringLiteral("FUZZ"));
        if (table.columns.isEmpty())
            std::abort();
        for (const SourceRow& row : table.rows) {
            if (row.values.size() != table.columns.size())
                std::abort();
        }
    } catch (const std::runtime_error& e) {
        if (!QString::fromUtf8(e.what()).startsWith(QStringLiteral("fuzz.db: ")))
            std::abort();
    }
    return 0;
}
