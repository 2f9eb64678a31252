#pragma once
// The program's captions that the banner shows and the exports repeat in
// their headers.
#include <QString>

namespace korvel::captions {

inline QString title() { return QStringLiteral("KORVEL 3"); }
inline QString subtitle() { return QStringLiteral("Database of physicochemical properties of alloys"); }
inline QString authors() { return QStringLiteral("The Korvel 3 developers"); }

} // namespace korvel::captions
