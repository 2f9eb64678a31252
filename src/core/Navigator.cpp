#include "Navigator.h"

#include <cassert>

namespace korvel {
namespace {
Navigator* g_navigator = nullptr;
}

Navigator& navigator()
{
    assert(g_navigator && "navigator not installed");
    return *g_navigator;
}

void setNavigator(Navigator* n) { g_navigator = n; }

} // namespace korvel
