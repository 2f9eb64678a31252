#include "UiServices.h"

#include <cassert>

namespace korvel {
namespace {
UiServices* g_services = nullptr;
}

UiServices& ui()
{
    assert(g_services && "UI services not installed");
    return *g_services;
}

void setUi(UiServices* services) { g_services = services; }

} // namespace korvel
