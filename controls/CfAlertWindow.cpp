#include "controls/CfAlertWindow.h"

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "platform/Cursors.h"
#include "platform/Screen.h"
#include "platform/ScreenArea.h"
#include "platform/Sound.h"
#include "platform/TaskBar.h"

#include <QGuiApplication>

#include <algorithm>

namespace cf {

namespace {

constexpr int GrowStep = 5;

std::vector<int>& Places()
{
    static std::vector<int> places;
    return places;
}

TAppBarData TaskBar()
{
    if (auto bar = TaskBarPos())
        return *bar;
    // No task bar to be found: rise from the bottom edge of the screen.
    return TAppBarData{TRect(0, ScreenHeight(), ScreenWidth(), ScreenHeight()), TAppBarEdge::abeBottom};
}

int Thickness(const TAppBarData& bar)
{
    return bar.Edge == TAppBarEdge::abeLeft || bar.Edge == TAppBarEdge::abeRight ? bar.Rect.Width()
                                                                                   : bar.Rect.Height();
}

TColor Darker(TColor c, int by)
{
    const TColor rgb = ColorToRGB(c);
    const int r = std::max(0, static_cast<int>(rgb & 0xFF) - by);
    const int g = std::max(0, static_cast<int>((rgb >> 8) & 0xFF) - by);
    const int b = std::max(0, static_cast<int>((rgb >> 16) & 0xFF) - by);
    return RGB(r, g, b);
}

void DrawGlyph(TCanvas& canvas, int x, int y, const TBitmap& glyph)
{
    TBitmap copy = glyph;
    if (copy.PixelFormat() == pf32bit)
        DrawGraphicAlpha(canvas, x, y, copy);
    else
        canvas.Draw(x, y, copy);
}

} // namespace

const std::vector<int>& TCfAlertWindow::Stack() { return Places(); }

TCfAlertWindow::TCfAlertWindow(QWidget* owner) : TWinControl(owner)
{
    // A window of its own above everything, never taking the focus from the
    // window the user works in.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    hide();
    Color = clWindow;
    SetBounds(0, 0, 211, 116);
    CloseGlyph.SetNormalGlyph(ProgramBitmap("ALERTCLOSE"));
    CloseGlyph.SetHoverGlyph(ProgramBitmap("ALERTCLOSEHOVER"));
    CloseGlyph.SetTransparentColor(clLime);
    CloseGlyph.SetTransparent(true);
    auto repaint = [this] { Invalidate(); };
    CloseGlyph.OnChange = repaint;
    LargeGlyph.OnChange = repaint;
    SmallGlyph.OnChange = repaint;
    TextMargins.OnChange = repaint;

    closeTimer_.SetEnabled(false);
    closeTimer_.SetInterval(closeDelay_);
    closeTimer_.SetOnTimer([this](TTimer*) { CloseTick(); });
    animationTimer_.SetEnabled(false);
    animationTimer_.SetInterval(1);
    animationTimer_.SetOnTimer([this](TTimer*) { AnimationTick(); });
}

TCfAlertWindow::~TCfAlertWindow()
{
    OnClose = nullptr;
    if (registered_)
        CloseAlert();
}

void TCfAlertWindow::SetCloseDelay(int ms)
{
    closeDelay_ = ms;
    closeTimer_.SetInterval(ms);
}

TColor TCfAlertWindow::EffectiveForeground() const
{
    return AdaptiveColors ? SchemeColor(3, TColorScheme::csDefault) : ForegroundColor;
}

// ---------------------------------------------------------------- animation

void TCfAlertWindow::Popup(const std::string& text, int delay)
{
    if (!text.empty())
        Text = text;
    if (delay != 0)
        closeDelay_ = delay;

    hide();
    if (state_ != TAnimation::Idle) {
        SetHeight(fullHeight_);
        state_ = TAnimation::Idle;
    } else {
        fullHeight_ = Height();
    }
    shownFully_ = false;
    animationTimer_.SetEnabled(false);
    closeTimer_.SetEnabled(false);
    paintHeight_ = Height();
    if (!registered_) {
        const auto& places = Places();
        offset_ = places.empty() ? 0 : *std::max_element(places.begin(), places.end());
        Places().push_back(offset_ + paintHeight_);
    }
    hover_ = false;
    SetHeight(0);
    state_ = TAnimation::Growing;
    animationTimer_.SetEnabled(true);
    registered_ = true;
}

int TCfAlertWindow::PlaceY(int height, bool final) const
{
    const TAppBarData bar = TaskBar();
    if (bar.Edge == TAppBarEdge::abeTop)
        return bar.Rect.Bottom + offset_;
    if (final || bar.Edge != TAppBarEdge::abeBottom)
        return ScreenHeight() - Thickness(bar) - height - offset_;
    return bar.Rect.Top - height - offset_;
}

void TCfAlertWindow::Place(int height)
{
    const int x = PopupLocation == plLeft ? 16 : ScreenWidth() - Width() - 16;
    SetBounds(x, PlaceY(height, height == fullHeight_), Width(), height);
    if (height <= 0) {
        hide();
        return;
    }
    show();
}

void TCfAlertWindow::AnimationTick()
{
    if (state_ == TAnimation::Growing) {
        const int h = Height() + GrowStep;
        if (h < fullHeight_) {
            Place(h);
            return;
        }
        Place(fullHeight_);
        animationTimer_.SetEnabled(false);
        state_ = TAnimation::Idle;
        if (closeDelay_ != -1)
            closeTimer_.SetEnabled(true);
        shownFully_ = true;
        if (OnPopup)
            OnPopup(this);
        PlaySound();
        return;
    }
    if (state_ == TAnimation::Shrinking) {
        if (Height() <= 0) {
            CloseAlert();
            return;
        }
        Place(std::max(0, Height() - GrowStep));
    }
}

void TCfAlertWindow::CloseTick()
{
    // The mouse resting on the alert keeps it; it is asked again next time.
    const QRect g = geometry();
    if (PtInRect(TRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height()), CursorPos()))
        return;
    closeTimer_.SetEnabled(false);
    shownFully_ = false;
    state_ = TAnimation::Shrinking;
    animationTimer_.SetEnabled(true);
}

void TCfAlertWindow::CloseAlert()
{
    state_ = TAnimation::Idle;
    closeTimer_.SetEnabled(false);
    animationTimer_.SetEnabled(false);
    shownFully_ = false;
    hide();
    if (fullHeight_ > 0)
        SetHeight(fullHeight_);
    if (registered_) {
        auto& places = Places();
        auto it = std::find(places.begin(), places.end(), offset_ + paintHeight_);
        if (it != places.end())
            places.erase(it);
    }
    registered_ = false;
    if (OnClose)
        OnClose(this);
}

void TCfAlertWindow::PlaySound()
{
    switch (PopupSound) {
    case msNone: return;
    case msIconExclamation: MessageBeep(TMessageBeep::mbExclamation); return;
    case msIconHand: MessageBeep(TMessageBeep::mbHand); return;
    case msOk: MessageBeep(TMessageBeep::mbDefault); return;
    case msIconQuestion: MessageBeep(TMessageBeep::mbQuestion); return;
    case msIconAsterisk: MessageBeep(TMessageBeep::mbAsterisk); return;
    }
}

// ---------------------------------------------------------------- painting

TRect TCfAlertWindow::CloseRect() const
{
    const TBitmap& g = CloseGlyph.NormalGlyph();
    return Bounds(Width() - g.Width() - 7, HeaderSize / 2 - g.Height() / 2 + 2, g.Width(), g.Height());
}

TRect TCfAlertWindow::OptionsRect()
{
    const int ph = registered_ ? paintHeight_ : Height();
    TCanvas& c = Canvas();
    c.Font = Font;
    const int tw = c.TextWidth(OptionsText), th = c.TextHeight(OptionsText);
    return TRect(ClientWidth() - tw - 4, ph - 4 - th, ClientWidth(), ph - 4);
}

TRect TCfAlertWindow::TextRect() const
{
    const int ph = registered_ ? paintHeight_ : Height();
    return TRect(TextMargins.Left() + 2, HeaderSize + TextMargins.Top() + 2, ClientWidth() - TextMargins.Right() - 2,
                 ph - TextMargins.Bottom() - 2);
}

void TCfAlertWindow::Paint(TCanvas& canvas)
{
    const int w = ClientWidth();
    const int ph = registered_ ? paintHeight_ : Height();
    const TColor fg = EffectiveForeground();

    // Frame: a darker foreground outside, white inside.
    canvas.Brush.Color = Darker(fg, 53);
    canvas.FrameRect(TRect(0, 0, w, ph));
    canvas.Brush.Color = clWhite;
    canvas.FrameRect(TRect(1, 1, w - 1, ph - 1));

    // Header, its last two rows left for the lines under it.
    const TRect header(2, 2, w - 2, HeaderSize + 2);
    const TRect headerFill(header.Left, header.Top, header.Right, header.Bottom - 2);
    switch (BackgroundStyle) {
    case btAuto: DrawVertGradient(canvas, headerFill, fg, clWhite); break;
    case btSolid: canvas.FillRect(headerFill, Color); break;
    case btCustom:
        if (OnCustomDrawHeader)
            OnCustomDrawHeader(this, canvas, header);
        break;
    }
    canvas.FillRect(TRect(header.Left, header.Bottom - 2, header.Right, header.Bottom - 1), fg);
    canvas.FillRect(TRect(header.Left, header.Bottom - 1, header.Right, header.Bottom), clWhite);

    canvas.Font = HeaderFont;
    const TBitmap& small = SmallGlyph.NormalGlyph();
    if (!small.Empty())
        DrawGlyph(canvas, 5, header.Top + HeaderSize / 2 - small.Height() / 2 - 1, small);
    DrawTextLine(canvas, TRect(small.Width() + 10, 2, w, HeaderSize + 2), taLeftJustify, Caption(),
                 layoutDirection() == Qt::RightToLeft);

    // Message area: rows blend from the window colour in the middle towards
    // the foreground at the edges.
    const TRect message(2, HeaderSize + 2, w - 2, ph - 2);
    if (BackgroundStyle == btAuto) {
        const int span = ph - HeaderSize;
        for (int y = 0; y < message.Height(); ++y) {
            const double r = span > 0 ? std::abs(span / 2 - y) / static_cast<double>(span) * 0.5 : 0.0;
            canvas.FillRect(TRect(message.Left, message.Top + y, message.Right, message.Top + y + 1),
                            BlendColorRatio(Color, fg, r));
        }
    } else if (BackgroundStyle == btSolid) {
        canvas.FillRect(message, Color);
    }
    if (OnCustomDrawMessage)
        OnCustomDrawMessage(this, canvas, message);

    const TBitmap& large = LargeGlyph.NormalGlyph();
    if (!large.Empty()) {
        if (GlyphPosition == gpLeft)
            DrawGlyph(canvas, 10, (ph - HeaderSize) / 2 + HeaderSize - large.Height() / 2, large);
        else
            DrawGlyph(canvas, (w - large.Width()) / 2, HeaderSize + 5, large);
    }

    canvas.Font = Font;
    canvas.Brush.Style = TBrushStyle::bsClear;
    if (Options & aoHtmlText) {
        THtmlResult result;
        DrawHtmlText(canvas, TextRect(), Text, result, true);
    } else {
        DrawTextInRect(canvas, TextRect(), Text, false, layoutDirection() == Qt::RightToLeft,
                       WordWrap ? wkWordWrap : wkNone, VerticalAlignment, Alignment);
    }

    if (Options & aoOptionsLink) {
        const TRect r = OptionsRect();
        canvas.Font = Font;
        canvas.Font.Color = clHighlight;
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut(r.Left, r.Top, OptionsText);
    }
    if (Options & aoCloseButton) {
        const TRect r = CloseRect();
        DrawGlyph(canvas, r.Left, r.Top, hover_ ? CloseGlyph.HoverGlyph() : CloseGlyph.NormalGlyph());
    }
}

// ---------------------------------------------------------------- mouse

std::string TCfAlertWindow::LinkAt(int x, int y)
{
    if (!(Options & aoHtmlText))
        return {};
    TCanvas& c = Canvas();
    c.Font = Font;
    THtmlResult result;
    DrawHtmlText(c, TextRect(), Text, result, false, TPoint(0, 0), TPoint(x, y));
    return result.Href;
}

void TCfAlertWindow::MouseMove(TShiftState shift, int x, int y)
{
    TWinControl::MouseMove(shift, x, y);
    if (Options & aoHtmlText)
        setCursor(CursorFor(LinkAt(x, y).empty() ? Cursor() : crHandPoint));
    const bool over = (Options & aoCloseButton) && PtInRect(CloseRect(), TPoint(x, y));
    if (over != hover_) {
        hover_ = over;
        const TRect r = CloseRect();
        Invalidate();
        update(r.Left, r.Top, r.Width(), r.Height());
    }
}

void TCfAlertWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseUp(button, shift, x, y);
    const TPoint p(x, y);
    if ((Options & aoOptionsLink) && PtInRect(OptionsRect(), p) && OnOptionsClick)
        OnOptionsClick(this);
    if (Options & aoHtmlText) {
        const std::string href = LinkAt(x, y);
        if (!href.empty() && OnLinkClick)
            OnLinkClick(this, href);
    }
    if ((Options & aoCloseButton) && PtInRect(CloseRect(), p)) {
        if (OnCloseClick)
            OnCloseClick(this);
        CloseAlert();
    }
}

} // namespace cf
