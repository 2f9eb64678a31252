// The CSV tables a user imports: any bytes give a table or an error naming the
// file, never a crash or a hang; every value of a table that was read then goes
// through the value rules of an integer, a real, a text and an extra column.
#include "CsvSource.h"
#include "Schema.h"
#include "ValueRules.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

using namespace korvel::import;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const SchemaColumn columns[] = {
        {QStringLiteral("I"), QStringLiteral("INTEGER"), Affinity::Integer, true, false, true},
        {QStringLiteral("R"), QStringLiteral("REAL"), Affinity::Real, false, false, true},
        {QStringLiteral("T"), QStringLiteral("TEXT"), Affinity::Text, false, false, true},
    };
    try {
        const SourceTable table = parseCsvSource(bytes, QStringLiteral("fuzz.csv"));
        if (table.table != QLatin1String("fuzz") || table.columns.isEmpty())
            std::abort();
        for (const SourceRow& row : table.rows) {
            if (row.values.size() != table.columns.size())
                std::abort();
            for (const QVariant& value : row.values) {
                for (const SchemaColumn& column : columns) {
                    const ColumnValue v = columnValue(value, &column);
                    if (!v.problem.isEmpty() && !v.value.isNull())
                        std::abort();
                }
                (void)columnValue(value, nullptr);
                (void)describeValue(value);
            }
        }
    } catch (const std::runtime_error& e) {
        if (!QString::fromUtf8(e.what()).startsWith(QLatin1String("fuzz.csv")))
            std::abort();
    }
    return 0;
}
