#include "platform/Themes.h"

namespace cf {

namespace {
TThemeServices* g_services = nullptr;
}

TThemeServices& ThemeServices()
{
    static TThemeServices none;
    return g_services ? *g_services : none;
}

void SetThemeServices(TThemeServices* services)
{
    g_services = services;
}

} // namespace cf
