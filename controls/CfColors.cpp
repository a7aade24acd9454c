#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"

#include <algorithm>
#include <cassert>
#include <cctype>

namespace cf {

TColor BlendColor(TColor a, TColor b, int weight)
{
    assert(weight >= 0 && weight <= 255 && "BlendColor weight out of range");
    weight = std::clamp(weight, 0, 255);
    a = ColorToRGB(a) & 0xFFFFFF;
    b = ColorToRGB(b) & 0xFFFFFF;
    // Red and blue travel together in one word: each product stays below 2^16.
    uint32_t w = uint32_t(weight), iw = 255u - w;
    uint32_t rb = (((a & 0xFF00FF) * w + (b & 0xFF00FF) * iw) >> 8) & 0xFF00FF;
    uint32_t g = (((a & 0x00FF00) * w + (b & 0x00FF00) * iw) >> 8) & 0x00FF00;
    return rb | g;
}

TColor BlendColorRatio(TColor a, TColor b, double ratio)
{
    a = ColorToRGB(a);
    b = ColorToRGB(b);
    auto mix = [&](int ca, int cb) { return std::clamp(RoundHalfEven(cb * ratio + ca * (1.0 - ratio)), 0, 255); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

TColor AddToColor(TColor c, int delta)
{
    c = ColorToRGB(c);
    auto add = [&](int v) { return std::clamp(v + delta, 0, 255); };
    return RGB(add(GetRValue(c)), add(GetGValue(c)), add(GetBValue(c)));
}

TColor ThemeAwareColor(int index)
{
    const bool styled = ThemesActive();
    switch (index) {
    case 0: return styled ? RGB(255, 238, 194) : BlendColor(clHighlight, clWindow, 80);
    case 1: return styled ? RGB(255, 213, 140) : cl3DLight;
    case 2: return styled ? RGB(255, 166, 76) : cl3DLight;
    case 3: return ColorToRGB(clHotLight);
    case 4: return RGB(255, 213, 140);
    case 5: return RGB(255, 173, 85);
    case 6: return RGB(255, 244, 204);
    case 7: return RGB(255, 208, 145);
    case 8: return styled ? RGB(254, 145, 78) : RGB(254, 145, 178);
    case 9: return RGB(255, 211, 142);
    case 10: return styled ? clInactiveCaptionText : clWindow;
    case 11: return styled ? BlendColor(clHighlight, clInactiveCaptionText, 132) : clBtnFace;
    case 12: return styled ? RGB(127, 157, 185) : clGrayText;
    default: return clNone;
    }
}

TColor HtmlColorToColor(const std::string& text)
{
    std::string hex;
    if (!text.empty() && text[0] == '#') {
        hex = text.substr(1);
    } else {
        std::string lower;
        for (char c : text)
            lower += char(std::tolower(static_cast<unsigned char>(c)));
        for (const auto& [name, value] : HtmlColorNames)
            if (lower == name) {
                hex = std::string(value).substr(1);
                break;
            }
    }
    if (hex.size() != 6)
        return clNone;
    uint32_t rgb = 0;
    for (char c : hex) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            return clNone;
        rgb = rgb * 16 + uint32_t(v);
    }
    return RGB(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

} // namespace cf
