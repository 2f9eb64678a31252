#pragma once
// The program's captions that the banner shows and the exports repeat in
// their headers.
#include "core/CommandLine.h"

#include <QString>

namespace korvel::captions {

inline QString title() { return QStringLiteral("KORVEL 3"); }
inline QString subtitle() { return QStringLiteral("Database of physicochemical properties of alloys"); }
inline QString authors() { return QStringLiteral("The Korvel 3 developers"); }
// "Version " and the project's version, as --version and the package give it.
inline QString versionCaption() { return QStringLiteral("Version ") + QString::fromLatin1(cli::version()); }

} // namespace korvel::captions
