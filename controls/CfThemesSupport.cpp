#include "controls/CfThemesSupport.h"

#include "platform/Themes.h"

#include <QPointer>

#include <algorithm>
#include <mutex>
#include <vector>

namespace cf {

namespace {

const TColorScheme g_defaultScheme = csBlue;

// Rows: csDefault (never read), csBlack, csBlue, csSilver, csBlue2010,
// csSilver2010, csBlack2010; columns: colour index 0..23.
constexpr TColor kPalette[SchemeCount][SchemeColorCount] = {
    {},
    {0x000000, 0x0A0A0A, 0x5C534C, 0xF2F1F0, 0xE1D6D2, 0x3C8CFB, 0xFFFFFF, 0xC9C2BD,
     0xEBEBEB, 0x000000, 0xA49991, 0xC9C2BD, 0xF2F1F0, 0xB6ADA7, 0xC9B0A7, 0x000000,
     0x000000, 0x000000, 0xA0A09E, 0xA2E7FF, 0x69BDFF, 0x3C8CFB, 0xF2F1F0, 0xCEC8C4},
    {0x000000, 0xCE9266, 0xCF9365, 0xFFEFE3, 0xF0D9C2, 0x000000, 0xFFFFFF, 0xFFD2AF,
     0xEEE7DD, 0x8B4215, 0xFFC69A, 0xFFD2AF, 0xFFEFE3, 0x000000, 0xC9B0A7, 0x000000,
     0x000000, 0x000000, 0xE9CFB8, 0xA2E7FF, 0x69BDFF, 0x3C8CFB, 0xFFEFE3, 0xFFD6B6},
    {0x000000, 0xA69F9B, 0x74706F, 0xF2F1F0, 0xE1D6D2, 0x000000, 0xFFFFFF, 0xE7DFDA,
     0xEBEBEB, 0x8B4215, 0x8F6D6E, 0xE7DFDA, 0xF8F7F6, 0x000000, 0xC9B0A7, 0x000000,
     0x000000, 0x000000, 0xC2B7B2, 0xC2EEFF, 0x6FC0FF, 0x3E80FE, 0xBFA7A8, 0x977778},
    {0x000000, 0xCE9266, 0xBD9D84, 0xE5D0BF, 0xF0D9C2, 0x000000, 0xFBF5EF, 0xFAECE1,
     0xF5F2F0, 0x8B4215, 0xBD9D84, 0xE7DFDA, 0xF8F7F6, 0x000000, 0xF0CDA7, 0x000000,
     0x000000, 0x000000, 0xC2B7B2, 0xC2EEFF, 0x6FC0FF, 0x3E80FE, 0xBFA7A8, 0x977778},
    {0x000000, 0xA69F9B, 0xB5ACA5, 0xE0DBD6, 0xE1D6D2, 0x000000, 0xF9F7F5, 0xF6F2EF,
     0xEBEBEB, 0x8B4215, 0xB5ACA5, 0xE7DFDA, 0xF8F7F6, 0x000000, 0xF0CDA7, 0x000000,
     0x000000, 0x000000, 0xC2B7B2, 0xC2EEFF, 0x6FC0FF, 0x3E80FE, 0xBFA7A8, 0x977778},
    {0x000000, 0xA69F9B, 0x3B3B3B, 0x858585, 0xE1D6D2, 0x000000, 0xF9F7F5, 0xF6F2EF,
     0xF5F2F0, 0x8B4215, 0xB5ACA5, 0xE7DFDA, 0xF8F7F6, 0x000000, 0xF0CDA7, 0x000000,
     0x000000, 0x000000, 0xC2B7B2, 0xC2EEFF, 0x6FC0FF, 0x3E80FE, 0xBFA7A8, 0x977778},
};

std::vector<QPointer<QWidget>>& Controls()
{
    static std::vector<QPointer<QWidget>> list;
    return list;
}

bool g_libraryLoaded = false;

} // namespace

TColorScheme DefaultColorScheme()
{
    return g_defaultScheme;
}

TColor SchemeColor(int index, TColorScheme scheme)
{
    if (scheme == csDefault)
        scheme = g_defaultScheme;
    // The masks of the original lookup (scheme and index each limited to
    // 7 bits) still allowed reads far past the 7 x 24 table; a value outside
    // it is refused instead.
    int s = int(scheme);
    if (s < 0 || s >= SchemeCount || index < 0 || index >= SchemeColorCount)
        return 0;
    return kPalette[s][index];
}

void LoadThemeLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { g_libraryLoaded = ThemeServices().Available(); });
}

bool ThemesActive()
{
    LoadThemeLibrary();
    try {
        return ThemeServices().Available() && ThemeServices().Active();
    } catch (...) {
        throw EThemesError();
    }
}

void DrawThemedPart(QWidget*, TCanvas& canvas, const TRect& rect, int part, int state, const std::string& themeClass)
{
    if (!ThemesActive())
        return;
    int saved = canvas.SaveState();
    canvas.IntersectClipRect(rect);
    try {
        ThemeServices().DrawPart(canvas, rect, themeClass, part, state);
    } catch (...) {
        canvas.RestoreState(saved);
        throw;
    }
    canvas.RestoreState(saved);
}

void RegisterSchemeControl(QWidget* control)
{
    if (control && !IsSchemeControlRegistered(control))
        Controls().push_back(control);
}

void UnregisterSchemeControl(QWidget* control)
{
    auto& l = Controls();
    l.erase(std::remove_if(l.begin(), l.end(), [&](const QPointer<QWidget>& p) { return p.isNull() || p == control; }),
            l.end());
}

bool IsSchemeControlRegistered(QWidget* control)
{
    for (auto& p : Controls())
        if (p == control)
            return true;
    return false;
}

const std::array<std::pair<const char*, const char*>, 141> HtmlColorNames = {{
    {"transparent", "#FFFFFF"},
    {"aliceblue", "#F0F8FF"}, {"antiquewhite", "#FAEBD7"}, {"aqua", "#00FFFF"},
    {"aquamarine", "#7FFFD4"}, {"azure", "#F0FFFF"}, {"beige", "#F5F5DC"},
    {"bisque", "#FFE4C4"}, {"black", "#000000"}, {"blanchedalmond", "#FFEBCD"},
    {"blue", "#0000FF"}, {"blueviolet", "#8A2BE2"}, {"brown", "#A52A2A"},
    {"burlywood", "#DEB887"}, {"cadetblue", "#5F9EA0"}, {"chartreuse", "#7FFF00"},
    {"chocolate", "#D2691E"}, {"coral", "#FF7F50"}, {"cornflowerblue", "#6495ED"},
    {"cornsilk", "#FFF8DC"}, {"crimson", "#DC143C"}, {"cyan", "#00FFFF"},
    {"darkblue", "#00008B"}, {"darkcyan", "#008B8B"}, {"darkgoldenrod", "#B8860B"},
    {"darkgray", "#A9A9A9"}, {"darkgreen", "#006400"}, {"darkkhaki", "#BDB76B"},
    {"darkmagenta", "#8B008B"}, {"darkolivegreen", "#556B2F"}, {"darkorange", "#FF8C00"},
    {"darkorchid", "#9932CC"}, {"darkred", "#8B0000"}, {"darksalmon", "#E9967A"},
    {"darkseagreen", "#8FBC8F"}, {"darkslateblue", "#483D8B"}, {"darkslategray", "#2F4F4F"},
    {"darkturquoise", "#00CED1"}, {"darkviolet", "#9400D3"}, {"deeppink", "#FF1493"},
    {"deepskyblue", "#00BFFF"}, {"dimgray", "#696969"}, {"dodgerblue", "#1E90FF"},
    {"firebrick", "#B22222"}, {"floralwhite", "#FFFAF0"}, {"forestgreen", "#228B22"},
    {"fuchsia", "#FF00FF"}, {"gainsboro", "#DCDCDC"}, {"ghostwhite", "#F8F8FF"},
    {"gold", "#FFD700"}, {"goldenrod", "#DAA520"}, {"gray", "#808080"},
    {"green", "#008000"}, {"greenyellow", "#ADFF2F"}, {"honeydew", "#F0FFF0"},
    {"hotpink", "#FF69B4"}, {"indianred", "#CD5C5C"}, {"indigo", "#4B0082"},
    {"ivory", "#FFFFF0"}, {"khaki", "#F0E68C"}, {"lavender", "#E6E6FA"},
    {"lavenderblush", "#FFF0F5"}, {"lawngreen", "#7CFC00"}, {"lemonchiffon", "#FFFACD"},
    {"lightblue", "#ADD8E6"}, {"lightcoral", "#F08080"}, {"lightcyan", "#E0FFFF"},
    {"lightgoldenrodyellow", "#FAFAD2"}, {"lightgreen", "#90EE90"}, {"lightgrey", "#D3D3D3"},
    {"lightpink", "#FFB6C1"}, {"lightsalmon", "#FFA07A"}, {"lightseagreen", "#20B2AA"},
    {"lightskyblue", "#87CEFA"}, {"lightslategray", "#778899"}, {"lightsteelblue", "#B0C4DE"},
    {"lightyellow", "#FFFFE0"}, {"lime", "#00FF00"}, {"limegreen", "#32CD32"},
    {"linen", "#FAF0E6"}, {"magenta", "#FF00FF"}, {"maroon", "#800000"},
    {"mediumaquamarine", "#66CDAA"}, {"mediumblue", "#0000CD"}, {"mediumorchid", "#BA55D3"},
    {"mediumpurple", "#9370DB"}, {"mediumseagreen", "#3CB371"}, {"mediumslateblue", "#7B68EE"},
    {"mediumspringgreen", "#00FA9A"}, {"mediumturquoise", "#48D1CC"}, {"mediumvioletred", "#C71585"},
    {"midnightblue", "#191970"}, {"mintcream", "#F5FFFA"}, {"mistyrose", "#FFE4E1"},
    {"moccasin", "#FFE4B5"}, {"navajowhite", "#FFDEAD"}, {"navy", "#000080"},
    {"oldlace", "#FDF5E6"}, {"olive", "#808000"}, {"olivedrab", "#6B8E23"},
    {"orange", "#FFA500"}, {"orangered", "#FF4500"}, {"orchid", "#DA70D6"},
    {"palegoldenrod", "#EEE8AA"}, {"palegreen", "#98FB98"}, {"paleturquoise", "#AFEEEE"},
    {"palevioletred", "#DB7093"}, {"papayawhip", "#FFEFD5"}, {"peachpuff", "#FFDAB9"},
    {"peru", "#CD853F"}, {"pink", "#FFC0CB"}, {"plum", "#DDA0DD"},
    {"powderblue", "#B0E0E6"}, {"purple", "#800080"}, {"red", "#FF0000"},
    {"rosybrown", "#BC8F8F"}, {"royalblue", "#4169E1"}, {"saddlebrown", "#8B4513"},
    {"salmon", "#FA8072"}, {"sandybrown", "#F4A460"}, {"seagreen", "#2E8B57"},
    {"seashell", "#FFF5EE"}, {"sienna", "#A0522D"}, {"silver", "#C0C0C0"},
    {"skyblue", "#87CEEB"}, {"slateblue", "#6A5ACD"}, {"slategray", "#708090"},
    {"snow", "#FFFAFA"}, {"springgreen", "#00FF7F"}, {"steelblue", "#4682B4"},
    {"tan", "#D2B48C"}, {"teal", "#008080"}, {"thistle", "#D8BFD8"},
    {"tomato", "#FF6347"}, {"turquoise", "#40E0D0"}, {"violet", "#EE82EE"},
    {"wheat", "#F5DEB3"}, {"white", "#FFFFFF"}, {"whitesmoke", "#F5F5F5"},
    {"yellow", "#FFFF00"}, {"yellowgreen", "#9ACD32"},
}};

} // namespace cf
