#pragma once

// Visual styles. The platform has none of its own: the default service is
// inactive, so every control takes its classic (unthemed) drawing path. A
// styled implementation can be installed later (or by a test).

#include "platform/Canvas.h"

#include <string>

namespace cf {

class TThemeServices {
public:
    virtual ~TThemeServices() = default;
    // Whether the styles library is present at all.
    virtual bool Available() const { return false; }
    // Whether styled drawing is on for this application.
    virtual bool Active() const { return false; }
    // Draws part/state of a theme class (e.g. "BUTTON", "HEADER") into r,
    // clipped to r. Returns false when the class or part is unknown.
    virtual bool DrawPart(TCanvas& canvas, const TRect& r, const std::string& themeClass, int part, int state)
    {
        (void)canvas, (void)r, (void)themeClass, (void)part, (void)state;
        return false;
    }
};

TThemeServices& ThemeServices();
// Installs a theme service (not owned); nullptr restores the inactive default.
void SetThemeServices(TThemeServices* services);

} // namespace cf
