#include "FigureFallback.h"

namespace korvel {
namespace {
std::function<void(QWidget*)>& installed()
{
    static std::function<void(QWidget*)> fallback;
    return fallback;
}
} // namespace

void setPropertyFigureFallback(std::function<void(QWidget*)> fallback) { installed() = std::move(fallback); }

void showPropertyFigureFallback(QWidget* chartWindow)
{
    if (installed())
        installed()(chartWindow);
}

} // namespace korvel
