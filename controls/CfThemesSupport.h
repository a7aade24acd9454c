#pragma once

// Whether styled (themed) drawing is available, drawing one styled part, the
// colour-scheme palette of panels, header panels, splitters, the alert window
// and the grid, and the table of HTML colour keywords.

#include "platform/Canvas.h"
#include "platform/Color.h"

#include <QWidget>

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace cf {

enum class TColorScheme : uint8_t { csDefault, csBlack, csBlue, csSilver, csBlue2010, csSilver2010, csBlack2010 };
using enum TColorScheme;

constexpr int SchemeCount = 7;
constexpr int SchemeColorCount = 24;

// The scheme csDefault stands for.
TColorScheme DefaultColorScheme();

// Palette entry index of scheme; csDefault means the default scheme. Any
// index or scheme number outside the palette gives 0 (black) instead of
// reading past it.
TColor SchemeColor(int index, TColorScheme scheme);

class EThemesError : public std::runtime_error {
public:
    EThemesError() : std::runtime_error("Error in Themes") {}
};

// Binds the styles library once; here that is the platform's theme service.
void LoadThemeLibrary();
// True exactly when styles are available and switched on.
bool ThemesActive();
// Draws part and state of a theme class into rect, clipped to rect. Does
// nothing when no styles are active.
void DrawThemedPart(QWidget* window, TCanvas& canvas, const TRect& rect, int part, int state,
                    const std::string& themeClass);

// Controls that take part in scheme colouring.
void RegisterSchemeControl(QWidget* control);
void UnregisterSchemeControl(QWidget* control);
bool IsSchemeControlRegistered(QWidget* control);

// 141 pairs of (keyword, "#RRGGBB"): "transparent" first, then the 140 HTML
// and CSS colour names in alphabetical order.
extern const std::array<std::pair<const char*, const char*>, 141> HtmlColorNames;

} // namespace cf
