#include "controls/CfSharedDraw.h"

#include "platform/DrawText.h"

namespace cf {

namespace {

unsigned AlignFlag(TAlignment a)
{
    switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

// Brush clear for the call, solid again afterwards.
struct ClearBrush {
    TCanvas& c;
    explicit ClearBrush(TCanvas& canvas) : c(canvas) { c.Brush.Style = bsClear; }
    ~ClearBrush() { c.Brush.Style = bsSolid; }
};

} // namespace

void DrawTextRect(TCanvas& canvas, const TRect& rect, TAlignment alignment, bool noPrefix, const std::string& text)
{
    // 0x8224 / 0x8225 / 0x8226, plus 0x800 for no prefix.
    unsigned flags = DT_END_ELLIPSIS | DT_EXTERNALLEADING | DT_SINGLELINE | DT_VCENTER | AlignFlag(alignment);
    if (noPrefix)
        flags |= DT_NOPREFIX;
    TBrushStyle old = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    TRect r = rect;
    DrawText(canvas, text, r, flags);
    canvas.Brush.Style = old;
}

void DrawGrayedText(TCanvas& canvas, const TRect& rect, const std::string& text, bool noPrefix, TAlignment alignment)
{
    TColor old = canvas.Font.Color;
    canvas.Font.Color = clBtnHighlight;
    DrawTextRect(canvas, OffsetRect(rect, 1, 1), alignment, noPrefix, text);
    canvas.Font.Color = clBtnShadow;
    DrawTextRect(canvas, rect, alignment, noPrefix, text);
    canvas.Font.Color = old;
}

void DrawTextLine(TCanvas& canvas, const TRect& rect, TAlignment alignment, const std::string& text, bool rightToLeft)
{
    // 0x8A24 / 0x8A26 / 0x8A25, plus 0x20000 for right-to-left reading.
    unsigned flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXTERNALLEADING | DT_SINGLELINE | DT_VCENTER |
                     AlignFlag(alignment);
    if (rightToLeft)
        flags |= DT_RTLREADING;
    ClearBrush brush(canvas);
    TRect r = rect;
    DrawText(canvas, text, r, flags);
}

void DrawTextInRect(TCanvas& canvas, const TRect& rect, const std::string& text, bool shadow, bool rightToLeft,
                    TWrapKind wrap, TVerticalAlignment vertical, TAlignment horizontal)
{
    unsigned flags = AlignFlag(horizontal);
    switch (wrap) {
    case wkNone: flags |= DT_SINGLELINE; break;
    case wkEllipsis: flags |= DT_SINGLELINE | DT_END_ELLIPSIS; break;
    case wkPathEllipsis: flags |= DT_SINGLELINE | DT_PATH_ELLIPSIS; break;
    case wkWordWrap: flags |= DT_WORDBREAK; break;
    }
    if (rightToLeft)
        flags |= DT_RTLREADING;
    TRect r = rect;
    if (wrap == wkWordWrap) {
        // Vertical placement of a block: measure, then move the rectangle.
        if (vertical != taAlignTop) {
            TRect calc = rect;
            DrawText(canvas, text, calc, flags | DT_CALCRECT);
            int h = calc.Height();
            if (vertical == taAlignBottom)
                r.Top = rect.Bottom - h;
            else
                r.Top = rect.Top + (rect.Height() - h) / 2;
            r.Bottom = r.Top + h;
        }
    } else if (vertical == taVerticalCenter) {
        flags |= DT_VCENTER;
    } else if (vertical == taAlignBottom) {
        flags |= DT_BOTTOM;
    }
    ClearBrush brush(canvas);
    if (shadow) {
        TColor old = canvas.Font.Color;
        canvas.Font.Color = clBtnShadow;
        TRect s = OffsetRect(r, 1, 1);
        DrawText(canvas, text, s, flags);
        canvas.Font.Color = old;
    }
    DrawText(canvas, text, r, flags);
}

void DrawVerticalText(TCanvas& canvas, const TRect& rect, const std::string& text)
{
    canvas.Brush.Style = bsClear;
    TFont old = canvas.Font;
    canvas.Font.Orientation = 900;
    TRect r = rect;
    DrawText(canvas, text, r, DT_BOTTOM | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);  // 0xA28
    canvas.Font = old;
}

} // namespace cf
