#include "controls/GlossPanel.h"

#include "platform/DrawText.h"
#include "platform/Frame3D.h"

namespace cf {

namespace {

struct PanelScheme {
    TColor dark, grad, light;
};

constexpr PanelScheme PanelSchemes[] = {
    {0, 0, 0},                          // csCustom: unused
    {0x00699B, 0xA4E1FF, 0x008FD5},     // csDesert
    {0x156F37, 0xB0F2CB, 0x3EB56A},     // csGrass
    {0x626262, 0xDAE0DE, 0x7D7D7D},     // csSilver
    {0xB35900, 0xFFE0C1, 0xF0964D},     // csSky
    {0x00009D, 0xCCCCFF, 0x0651CC},     // csRose
    {0x006464, 0xBFFFFF, 0x009595},     // csSun
};

int Channel(int from, double step, int i)
{
    return std::clamp(RoundHalfEven(from + step * i), 0, 255);
}

} // namespace

void GlossGradient(TCanvas& canvas, const TRect& r, TColor face, TColor grad, TFillDirection direction)
{
    if (r.IsEmpty())
        return;
    face = ColorToRGB(face);
    grad = ColorToRGB(grad);
    int length = direction == fdHorizontal ? r.Width() : direction == fdVertical ? r.Height() : r.Width() + r.Height();
    double dr = double(GetRValue(grad) - GetRValue(face)) / length;
    double dg = double(GetGValue(grad) - GetGValue(face)) / length;
    double db = double(GetBValue(grad) - GetBValue(face)) / length;
    TPen saved = canvas.Pen;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    for (int i = 0; i < length; ++i) {
        TColor c = RGB(Channel(GetRValue(face), dr, i), Channel(GetGValue(face), dg, i),
                       Channel(GetBValue(face), db, i));
        switch (direction) {
        case fdHorizontal: canvas.FillRect(TRect(r.Left + i, r.Top, r.Left + i + 1, r.Bottom), c); break;
        case fdVertical: canvas.FillRect(TRect(r.Left, r.Top + i, r.Right, r.Top + i + 1), c); break;
        case fdDiagonal:
            canvas.Pen.Color = c;
            canvas.MoveTo(r.Left + i, r.Top);
            canvas.LineTo(r.Left, r.Top + i);
            break;
        }
    }
    canvas.Pen = saved;
}

TGlossPanel::TGlossPanel(QWidget* parent) : TWinControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 185, 41);
    dark_ = clBlack;
    light_ = 0xC0C0C0;
    direction_ = fdVertical;
    SetColorScheme(TGlossPanelScheme::csDesert);
}

void TGlossPanel::SetColour(TColor& field, TColor c)
{
    field = c;
    scheme_ = TGlossPanelScheme::csCustom;
    Invalidate();
}

void TGlossPanel::SetColorFace(TColor c) { SetColour(face_, c); }
void TGlossPanel::SetColorGrad(TColor c) { SetColour(grad_, c); }
void TGlossPanel::SetColorLight(TColor c) { SetColour(light_, c); }
void TGlossPanel::SetColorDark(TColor c) { SetColour(dark_, c); }

void TGlossPanel::SetColorScheme(TGlossPanelScheme s)
{
    scheme_ = s;
    if (s != TGlossPanelScheme::csCustom) {
        const PanelScheme& p = PanelSchemes[int(s)];
        face_ = clWhite;
        dark_ = p.dark;
        grad_ = p.grad;
        light_ = p.light;
    }
    Invalidate();
}

void TGlossPanel::SetFillDirection(TFillDirection d)
{
    direction_ = d;
    Invalidate();
}

void TGlossPanel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TGlossPanel::SetBevelInner(TPanelBevel b)
{
    bevelInner_ = b;
    Invalidate();
}

void TGlossPanel::SetBevelOuter(TPanelBevel b)
{
    bevelOuter_ = b;
    Invalidate();
}

void TGlossPanel::SetBevelWidth(int w)
{
    bevelWidth_ = std::max(1, w);
    Invalidate();
}

void TGlossPanel::Paint(TCanvas& canvas)
{
    TRect client = ClientRect();
    GlossGradient(canvas, client, face_, grad_, direction_);

    std::string text = Caption();
    if (!text.empty()) {
        canvas.Font = Font;
        canvas.Brush.Style = bsClear;
        int tw = canvas.TextWidth(text);
        int y = (client.Height() - canvas.TextHeight("AaBbCcDd")) / 2;
        bool both = bevelInner_ != bvNone && bevelOuter_ != bvNone;
        int x = 0;
        switch (alignment_) {
        case taLeftJustify: x = bevelWidth_ + 2 + (both ? bevelWidth_ : 0); break;
        case taRightJustify: x = client.Width() - bevelWidth_ - tw - 2 - (both ? bevelWidth_ : 0); break;
        case taCenter: x = (client.Width() - tw) / 2; break;
        }
        canvas.TextOut(x, y, text);
        canvas.Brush.Style = bsSolid;
    }

    auto bevel = [&](TRect r, TPanelBevel b) {
        TColor top = b == bvLowered ? dark_ : light_;
        TColor bottom = b == bvLowered ? light_ : dark_;
        Frame3D(canvas, r, top, bottom, bevelWidth_);
        return r;
    };
    TRect r = client;
    if (bevelOuter_ != bvNone)
        r = bevel(r, bevelOuter_);
    if (bevelInner_ != bvNone)
        bevel(r, bevelInner_);
}

} // namespace cf
