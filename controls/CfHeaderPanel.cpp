#include "controls/CfHeaderPanel.h"
#include "platform/SameText.h"

#include "controls/CfSharedDraw.h"
#include "platform/DrawText.h"

namespace cf {

TBitmap HeaderArrowBitmap(const std::string& name)
{
    // "HEADERCOLLAPSE" points left (the panel folds to the left edge),
    // "HEADEREXPAND" points right.
    static const char* collapse[9] = {"         ", "   #    #", "  ##   ##", " ###  ###", "#### ####",
                                      " ###  ###", "  ##   ##", "   #    #", "         "};
    TBitmap b(9, 9, pf24bit);
    TCanvas& c = b.Canvas();
    c.FillRect(TRect(0, 0, 9, 9), clLime);
    bool expand = name == "HEADEREXPAND";
    if (!expand && name != "HEADERCOLLAPSE")
        return TBitmap();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if (collapse[y][expand ? 8 - x : x] == '#')
                c.SetPixel(x, y, clBlack);
    return b;
}

TCfHeaderPanel::TCfHeaderPanel(QWidget* parent) : TWinControl(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    Color = clWindow;
    SetFrameInsets(TRect(1, 1, 1, 1));
    SetBounds(0, 0, 245, 245);
    margins_.OnChange = [this] {
        Realign();
        Invalidate();
    };
    RegisterSchemeControl(this);
}

TCfHeaderPanel::~TCfHeaderPanel()
{
    UnregisterSchemeControl(this);
}

void TCfHeaderPanel::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCfHeaderPanel::SetAdaptiveColors(bool on) { adaptive_ = on; Invalidate(); }
void TCfHeaderPanel::SetBorderColor(TColor c) { borderColor_ = c; Invalidate(); }
void TCfHeaderPanel::SetColorScheme(TColorScheme s) { scheme_ = s; Invalidate(); }
void TCfHeaderPanel::SetDrawDirection(TDirection d) { direction_ = d; Invalidate(); }
void TCfHeaderPanel::SetHeaderColor(TColor c) { headerColor_ = c; Invalidate(); }
void TCfHeaderPanel::SetHeaderStyle(TCfHeaderStyle s) { headerStyle_ = s; Invalidate(); }
void TCfHeaderPanel::SetIndent(int i) { indent_ = i; Invalidate(); }
void TCfHeaderPanel::SetPanelStyle(TCfPanelStyle s) { panelStyle_ = s; Invalidate(); }
void TCfHeaderPanel::SetColor(TColor c) { Color = c; Invalidate(); }
void TCfHeaderPanel::SetGlyph(const TBitmap& b) { glyph_ = b; Invalidate(); }
void TCfHeaderPanel::SetPicture(const TBitmap& b) { picture_ = b; Invalidate(); }

void TCfHeaderPanel::SetCaption(const std::string& s)
{
    TControl::SetCaption(s);
}

void TCfHeaderPanel::SetBorderWidth(int w)
{
    borderWidth_ = std::max(0, w);
    SetFrameInsets(TRect(borderWidth_, borderWidth_, borderWidth_, borderWidth_));
    Realign();
}

void TCfHeaderPanel::SetHeaderFont(const TFont& f)
{
    headerFont_ = f;
    parentHeaderFont_ = false;
    Invalidate();
}

void TCfHeaderPanel::SetParentHeaderFont(bool on)
{
    parentHeaderFont_ = on;
    Invalidate();
}

void TCfHeaderPanel::SetHeaderSize(int s)
{
    headerSize_ = std::max(0, s);
    if (displayStyle_ == dsHeaderOnly)
        SetClientSize(ClientWidth(), headerSize_);
    Realign();
    Invalidate();
}

void TCfHeaderPanel::SetDisplayStyle(TDisplayStyle s)
{
    displayStyle_ = s;
    if (s == dsHeaderOnly)
        SetClientSize(ClientWidth(), headerSize_);
    Realign();
    Invalidate();
}

void TCfHeaderPanel::SetOptions(THeaderOptions o)
{
    options_ = o;
    Invalidate();
}

void TCfHeaderPanel::SetCollapseWidth(int w)
{
    collapseWidth_ = std::max(MinCollapsedWidth, w);
    if (!expanded_)
        SetWidthInternal(collapseWidth_);
}

void TCfHeaderPanel::SetFullWidth(int w)
{
    // Only a width at which the panel is usable is worth returning to.
    if (w > MinCollapsedWidth)
        fullWidth_ = w;
}

void TCfHeaderPanel::SetWidthInternal(int w)
{
    bool was = changing_;
    changing_ = true;
    SetBounds(Left(), Top(), w, Height());
    changing_ = was;
}

void TCfHeaderPanel::SetExpanded(bool on)
{
    if (on == expanded_)
        return;
    expanded_ = on;
    if (on) {
        SetWidthInternal(std::max(fullWidth_, MinCollapsedWidth + 1));
        Realign();
    } else {
        SetFullWidth(Width());
        SetWidthInternal(std::max(collapseWidth_, MinCollapsedWidth));
    }
    Invalidate();
    Changed();
}

void TCfHeaderPanel::Resize()
{
    if (displayStyle_ == dsHeaderOnly && ClientHeight() != headerSize_ && !changing_) {
        bool was = changing_;
        changing_ = true;
        SetClientSize(ClientWidth(), headerSize_);
        changing_ = was;
    }
    if (!loading_ && !changing_) {
        if (Width() < MinCollapsedWidth + 1) {
            // The width before this resize stays the one to expand back to.
            if (expanded_)
                SetExpanded(false);
            else if (Width() < collapseWidth_)
                SetWidthInternal(collapseWidth_);
        } else if (!(!expanded_ && Width() == collapseWidth_)) {
            SetFullWidth(Width());
            if (!expanded_) {
                expanded_ = true;
                Realign();
                Invalidate();
                Changed();
            }
        }
    }
    TWinControl::Resize();
}

TRect TCfHeaderPanel::HeaderRect() const
{
    return TRect(0, 0, ClientWidth(), headerSize_);
}

TRect TCfHeaderPanel::CollapseButtonRect() const
{
    if (!(options_ & hoCollapseButton) || displayStyle_ == dsPanelOnly)
        return {};
    int x = ClientWidth() - 21;
    if (!expanded_ && direction_ == diRightToLeft)
        x = 4;
    return Bounds(x, headerSize_ / 2 - 9, 18, 18);
}

TRect TCfHeaderPanel::GlyphRect() const
{
    if (glyph_.Empty() || !expanded_)
        return {};
    return Bounds(5, headerSize_ / 2 - glyph_.Height() / 2, glyph_.Width(), glyph_.Height());
}

TRect TCfHeaderPanel::AlignRect() const
{
    TRect r = ClientRect();
    if (displayStyle_ != dsPanelOnly)
        r.Top = std::min(r.Bottom, r.Top + headerSize_);
    return TRect(r.Left + margins_.Left(), r.Top + margins_.Top(), r.Right - margins_.Right(),
                 r.Bottom - margins_.Bottom());
}

void TCfHeaderPanel::PaintNonClient(TCanvas& canvas)
{
    TColor c = adaptive_ ? SchemeColor(2, scheme_) : borderColor_;
    TRect r(0, 0, Width(), Height());
    canvas.Brush.Color = c;
    for (int i = 0; i < borderWidth_; ++i) {
        canvas.FrameRect(r);
        r = InflateRect(r, -1, -1);
    }
}

void TCfHeaderPanel::PaintBodyStyle(TCanvas& canvas, const TRect& r)
{
    switch (panelStyle_) {
    case TCfPanelStyle::psPlain: canvas.FillRect(r, Color); break;
    case TCfPanelStyle::psGradientWindowToFace: DrawHorzGradient(canvas, r, clWindow, clBtnFace); break;
    case TCfPanelStyle::psGradientFaceToWindow: DrawHorzGradient(canvas, r, clBtnFace, clWindow); break;
    }
}

void TCfHeaderPanel::Paint(TCanvas& canvas)
{
    TRect client = ClientRect();
    if (displayStyle_ == dsPanelOnly) {
        PaintBodyStyle(canvas, client);
        return;
    }
    TRect body(0, headerSize_, client.Right, client.Bottom);
    if (!body.IsEmpty()) {
        if (!picture_.Empty())
            canvas.StretchDraw(body, picture_);
        else
            canvas.FillRect(body, Color);
    }
    PaintHeader(canvas, HeaderRect());
}

void TCfHeaderPanel::PaintHeader(TCanvas& canvas, const TRect& r)
{
    const int w = r.Width(), h = r.Height();
    switch (headerStyle_) {
    case psFlat: canvas.FillRect(r, headerColor_); break;
    case psNormal:
        if (adaptive_)
            DrawVertGradient(canvas, TRect(1, 1, w, h - 1), SchemeColor(12, scheme_), SchemeColor(11, scheme_));
        else
            DrawVertGradient(canvas, TRect(1, 1, w, h - 1), clWindow, headerColor_);
        canvas.FillRect(TRect(0, 0, w, 1), clWhite);
        canvas.FillRect(TRect(0, 0, 1, h), clWhite);
        canvas.FillRect(TRect(0, h - 1, w, h), SchemeColor(13, scheme_));
        break;
    case psSectionHeader:
        if (adaptive_ && ThemesActive())
            DrawVertGradient(canvas, r, BlendColor(clHighlight, clInactiveCaption, 112),
                             BlendColor(headerColor_, clBlack, 170));
        else if (adaptive_)
            canvas.FillRect(r, clGrayText);
        else
            DrawVertGradient(canvas, r, headerColor_, BlendColor(headerColor_, clBlack, 170));
        break;
    case psVista:
        canvas.FillRect(r, clBlack);
        DrawGlassEffect(canvas, r);
        break;
    case psWindowsLive: {
        TColor top = adaptive_ ? SchemeColor(18, scheme_) : headerColor_;
        int mid = h / 2;
        // From the header colour down to Color around the middle, then back.
        DrawVertGradient(canvas, TRect(0, 1, w, mid), top, Color);
        DrawVertGradient(canvas, TRect(0, mid, w, h - 2), Color, top);
        canvas.FillRect(TRect(0, 0, w, 1), clWhite);
        canvas.FillRect(TRect(0, h - 3, w, h - 2), clWhite);
        canvas.FillRect(TRect(0, h - 1, w, h), SchemeColor(18, scheme_));
        break;
    }
    }

    TRect button = CollapseButtonRect();
    if (!button.IsEmpty())
        PaintCollapseButton(canvas, button);
    if (!expanded_)
        return;

    int captionLeft = indent_;
    TRect g = GlyphRect();
    if (!g.IsEmpty()) {
        TBitmap copy = glyph_;
        copy.Transparent = true;
        canvas.Draw(g.Left, g.Top, copy);
        captionLeft += g.Width() + 7;
    }
    int captionRight = button.IsEmpty() ? w : button.Left;
    canvas.Font = HeaderFont();
    if (options_ & hoColorSchemeFont) {
        // The scheme's dark caption colour reads on the light headers; on the
        // black glass and the grey or darkening section header it would not.
        bool dark = headerStyle_ == psVista || headerStyle_ == psSectionHeader;
        canvas.Font.Color = dark ? clWhite : SchemeColor(9, csDefault);
    }
    canvas.Brush.Style = bsClear;
    DrawTextLine(canvas, TRect(captionLeft, 0, captionRight, h), taLeftJustify, Caption(),
                 direction_ == diRightToLeft);
    canvas.Brush.Style = bsSolid;
}

void TCfHeaderPanel::PaintCollapseButton(TCanvas& canvas, const TRect& r)
{
    if (buttonPressed_)
        DrawVertGradient(canvas, r, 0x087FE8, 0x7AD9F7);
    else if (buttonHot_)
        DrawVertGradient(canvas, r, 0xDCFFFF, 0x5FC2F8);
    bool showCollapse = expanded_;
    if (direction_ == diRightToLeft)
        showCollapse = !showCollapse;
    TBitmap arrow = HeaderArrowBitmap(showCollapse ? "HEADERCOLLAPSE" : "HEADEREXPAND");
    arrow.Transparent = true;
    arrow.TransparentMode = TTransparentMode::tmFixed;
    arrow.SetTransparentColor(clLime);
    canvas.Draw(r.Left + (r.Width() - arrow.Width()) / 2, r.Top + (r.Height() - arrow.Height()) / 2, arrow);
}

void TCfHeaderPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        TPoint p(x, y);
        if (PtInRect(CollapseButtonRect(), p)) {
            buttonPressed_ = true;
            Invalidate();
        } else if (displayStyle_ != dsPanelOnly && PtInRect(HeaderRect(), p)) {
            headerArmed_ = true;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCfHeaderPanel::MouseMove(TShiftState shift, int x, int y)
{
    bool hot = PtInRect(CollapseButtonRect(), TPoint(x, y));
    if (hot != buttonHot_) {
        buttonHot_ = hot;
        Invalidate();
    }
    TWinControl::MouseMove(shift, x, y);
}

void TCfHeaderPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TPoint p(x, y);
    bool armed = headerArmed_;
    bool pressed = buttonPressed_;
    headerArmed_ = false;
    buttonPressed_ = false;
    buttonHot_ = false;
    Invalidate();
    if (button == mbLeft) {
        if (pressed && PtInRect(CollapseButtonRect(), p)) {
            SetExpanded(!expanded_);
            if (expanded_ && CanFocus())
                SetFocus();
        } else if (armed && PtInRect(HeaderRect(), p)) {
            if (OnHeaderClick)
                OnHeaderClick(this);
            if (PtInRect(GlyphRect(), p) && OnGlyphClick)
                OnGlyphClick(this);
        } else if ((options_ & hoClickOnBodyExpand) && !expanded_ && p.Y >= headerSize_) {
            SetExpanded(true);
        }
    }
    TWinControl::MouseUp(button, shift, x, y);
}


bool TCfHeaderPanel::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Caption"))
        return TControl::SetTextProperty(name, value);
    SetCaption(value);
    return true;
}

} // namespace cf
