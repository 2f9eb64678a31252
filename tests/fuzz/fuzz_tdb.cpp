// libFuzzer target: the reader of thermodynamic database files and the evaluation of what it
// read. Any input either reads or is refused with a ReadError; nothing else may escape, and
// no input may crash, hang or trip a sanitizer.
#include "tdb/Reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace korvel::thermo::tdb;
    const std::string text(reinterpret_cast<const char *>(data), size);
    Database db;
    try {
        db = readDatabase(text, "fuzz");
    } catch (const ReadError &) {
        return 0;
    }
    for (const auto &[name, f] : db.functions)
        for (double T : {298.15, 1000.0}) {
            try {
                (void)db.functionValue(name, T);
            } catch (const std::runtime_error &) { // a function that calls itself
            }
        }
    for (const Parameter &p : db.parameters) {
        try {
            (void)db.evaluate(p.value, 500.0);
        } catch (const std::runtime_error &) {
        }
    }
    return 0;
}
