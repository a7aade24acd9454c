// How the page control draws its strip: background, tabs in five styles,
// the line joining the active tab to its page, the page border and the
// buttons. Tab shapes are written for tabs at the top; tabs at the bottom
// get the same shapes turned upside down inside their own rectangles.

#include "controls/CfPageControl.h"

#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "platform/Frame3D.h"

#include <algorithm>

namespace cf {

namespace {

void UsePen(TCanvas& canvas, TColor color)
{
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = color;
}

void UseBrush(TCanvas& canvas, TColor color)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
}

// A horizontal line from x0 up to (not including) x1.
void HLine(TCanvas& canvas, int x0, int x1, int y, TColor color)
{
    UsePen(canvas, color);
    canvas.MoveTo(x0, y);
    canvas.LineTo(x1, y);
}

} // namespace

TColor TCfPageControl::OutlineColor()
{
    return ThemesActive() ? TColor(0xB99D7F) : clGrayText;
}

// ---------------------------------------------------------------- mirrored primitives

void TCfPageControl::DrawTabPolygon(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect)
{
    if (tabPosition_ == tpBottom)
        FlipPointsVertically(points, tabRect);
    canvas.Polygon(points);
}

void TCfPageControl::DrawTabPolyline(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect)
{
    if (tabPosition_ == tpBottom)
        FlipPointsVertically(points, tabRect);
    canvas.Polyline(points);
}

void TCfPageControl::ClipToPolygon(TCanvas& canvas, std::vector<TPoint> points, const TRect& tabRect)
{
    if (tabPosition_ == tpBottom)
        FlipPointsVertically(points, tabRect);
    TRegion region = TRegion::FromPolygon(points);
    if (canvas.HasClip())
        region = region.Intersected(canvas.ClipRegion());
    canvas.SetClipRegion(region);
}

namespace {

// The rows of r turned upside down about the middle line the tab shapes use.
TRect MirrorRows(const TRect& r, const TRect& tabRect)
{
    const int m = tabRect.Top + (tabRect.Bottom - tabRect.Top) / 2;
    return TRect(r.Left, 2 * m - (r.Bottom - 1), r.Right, 2 * m - r.Top + 1);
}

} // namespace

// ---------------------------------------------------------------- strip background

void TCfPageControl::DrawTabsBackground(TCanvas& canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    const TRect band = tabPosition_ == tpTop ? TRect(0, 0, w, tabHeight_ + topIndent_)
                                             : TRect(0, h - tabHeight_ - topIndent_ - 1, w, h);
    switch (backgroundKind_) {
    case bkSolid: canvas.FillRect(band, backgroundColor_); break;
    case bkHorzGradient: DrawHorzGradient(canvas, band, backgroundColor_, Color); break;
    case bkVertGradient: DrawVertGradient(canvas, band, backgroundColor_, Color); break;
    case bkInveseVertGradient: DrawVertGradient(canvas, band, Color, backgroundColor_); break;
    case bkTransparent: {
        const int state = canvas.SaveState();
        canvas.IntersectClipRect(band);
        DrawParentBackground(this, canvas);
        canvas.RestoreState(state);
        break;
    }
    }
    if (options_ & pgTopBorder) {
        const int y = tabPosition_ == tpTop ? 0 : h - 1;
        HLine(canvas, 0, w, y, clGrayText);
    }
}

// ---------------------------------------------------------------- tabs

void TCfPageControl::DrawTab(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active, bool isFirst)
{
    const int state = canvas.SaveState();
    canvas.IntersectClipRect(rect);
    DrawTabShape(canvas, rect, page, active, isFirst);
    canvas.RestoreState(state);
    const int contentState = canvas.SaveState();
    canvas.IntersectClipRect(rect);
    DrawTabContent(canvas, rect, page, active);
    canvas.RestoreState(contentState);
}

void TCfPageControl::DrawTabShape(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active, bool isFirst)
{
    const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    const int H = tabHeight_, h = tabHeight_ / 2;
    const bool flip = tabPosition_ == tpBottom;
    auto fillRect = [&](TColor c) { canvas.FillRect(flip ? MirrorRows(rect, rect) : rect, c); };
    auto fillGradient = [&](TColor top, TColor bottom) {
        if (flip)
            DrawVertGradient(canvas, MirrorRows(rect, rect), bottom, top);
        else
            DrawVertGradient(canvas, rect, top, bottom);
    };
    // The fill of an inactive tsWhidbey or tsDexter tab.
    auto fillInactive = [&](TColor tabColor) {
        if (ThemesActive()) {
            if (adaptiveColors_)
                fillGradient(clWindow, clBtnFace);
            else
                fillGradient(tabColor, Color);
        } else {
            fillRect(adaptiveColors_ ? backgroundColor_ : tabColor);
        }
    };

    switch (tabStyle_) {
    case tsClassic: {
        if (!active)
            return;
        fillRect(adaptiveColors_ ? clBtnFace : page->TabColor());
        UsePen(canvas, clWhite);
        DrawTabPolyline(canvas, {{L, T}, {L, B}}, rect);
        UsePen(canvas, clBlack);
        DrawTabPolyline(canvas, {{R - 1, T}, {R - 1, B + 1}}, rect);
        return;
    }
    case tsFlat: {
        TColor brush = page->TabColor();
        if (adaptiveColors_)
            brush = active ? clWindow : BlendColor(clInactiveCaption, clWindow, 80);
        UsePen(canvas, OutlineColor());
        DrawTabPolyline(canvas, {{L, B}, {L + h, T}, {R - h, T}, {R, B}}, rect);
        UsePen(canvas, brush);
        UseBrush(canvas, brush);
        DrawTabPolygon(canvas, {{L + 1, B}, {L + h, T + 1}, {R - h - 1, T + 1}, {R - 1, B}}, rect);
        return;
    }
    case tsOneNote: {
        // The outline goes on last so that the clipped fill cannot eat into
        // the edge rows it shares with it.
        auto outline = [&] {
            UsePen(canvas, clHotLight);
            if (isFirst)
                DrawTabPolyline(canvas,
                                {{L, B - 1}, {L + 1, B - 1}, {L + H - 2, T + 2}, {L + H + 1, T + 1},
                                 {L + H + 3, T}, {R - 3, T}, {R - 1, T + 2}, {R - 1, T + 4}, {R - 1, B}},
                                rect);
            else
                DrawTabPolyline(canvas,
                                {{L + H - 3, T + 3}, {L + H, T + 1}, {L + H + 4, T}, {R - 3, T}, {R - 1, T + 2},
                                 {R - 1, T + 4}, {R - 1, B}},
                                rect);
        };
        const int visibleRight = partialTabs_ ? std::min(R, StripRight()) : R;
        if (partialTabs_ && visibleRight < L + H + 2) {
            outline();
            return;
        }
        const int state = canvas.SaveState();
        if (isFirst)
            ClipToPolygon(canvas,
                          {{L + 1, B}, {L + H - 2, T + 3}, {L + H, T + 2}, {L + H + 3, T}, {R - 2, T + 1},
                           {R - 1, T + 2}, {R - 1, T + 5}, {R - 1, B}},
                          rect);
        else
            ClipToPolygon(canvas,
                          {{L + H - 3, B - 1}, {L + H - 3, T + 4}, {L + H - 2, T + 3}, {L + H, T + 2},
                           {L + H + 3, T}, {R - 2, T + 1}, {R - 1, T + 2}, {R - 1, T + 5}, {R - 1, B}},
                          rect);
        if (ColorToRGB(page->TabColor()) == ColorToRGB(clWindow))
            fillRect(clWindow);
        else
            fillGradient(clWindow, page->TabColor());
        UsePen(canvas, clWindow);
        DrawTabPolyline(canvas, {{L + 1, B}, {L + H - 2, T + 3}, {L + H + 1, T + 2}, {L + H + 2, T + 1}, {R - 2, T + 1}},
                        rect);
        UsePen(canvas, active ? clWindow : TColor(0xF1A6B1));
        DrawTabPolyline(canvas, {{R - 3, T + 1}, {R - 2, T + 2}, {R - 2, B}}, rect);
        canvas.RestoreState(state);
        outline();
        return;
    }
    case tsWhidbey: {
        const TColor tabColor = active ? page->ActiveTabColor() : page->TabColor();
        const TPoint start = isFirst ? TPoint(L, B - 1) : TPoint(L + H - 7, T + 6);
        auto outline = [&] {
            UsePen(canvas, active ? OutlineColor() : clGrayText);
            DrawTabPolyline(canvas,
                            {start, {L + H - 3, T + 2}, {L + H, T + 1}, {L + H + 2, T}, {R - 3, T}, {R - 1, T + 2},
                             {R - 1, T + 4}, {R - 1, B}},
                            rect);
        };
        if (active) {
            outline();
            UsePen(canvas, tabColor);
            UseBrush(canvas, tabColor);
            DrawTabPolygon(canvas,
                           {{L + 1, B - 1}, {L + H - 3, T + 3}, {L + H + 1, T + 2}, {L + H + 1, T + 1}, {R - 3, T + 1},
                            {R - 2, T + 2}, {R - 2, T + 5}, {R - 2, B - 1}},
                           rect);
            return;
        }
        // Inactive tabs: the clipped fill first, the outline over it.
        const int state = canvas.SaveState();
        if (isFirst)
            ClipToPolygon(canvas,
                          {{L, B}, {L + H - 3, T + 3}, {L + H - 1, T + 2}, {L + H + 2, T}, {R - 2, T + 1},
                           {R - 1, T + 2}, {R - 1, T + 5}, {R - 1, B}},
                          rect);
        else
            ClipToPolygon(canvas,
                          {{L + H - 7, B - 1}, {L + H - 7, T + 7}, {L + H - 3, T + 3}, {L + H - 1, T + 2},
                           {L + H + 2, T}, {R - 2, T + 1}, {R - 1, T + 2}, {R - 1, T + 5}, {R - 1, B}},
                          rect);
        fillInactive(tabColor);
        if (ThemesActive()) {
            UsePen(canvas, clWindow);
            DrawTabPolyline(canvas, {{L, B}, {L + H - 3, T + 3}, {L + H + 1, T + 2}}, rect);
            UsePen(canvas, clBtnFace);
            DrawTabPolyline(canvas, {{R - 3, T + 1}, {R - 2, T + 2}, {R - 2, B}}, rect);
        }
        canvas.RestoreState(state);
        outline();
        return;
    }
    case tsDexter: {
        TColor brush = page->TabColor();
        if (adaptiveColors_)
            brush = active ? clWindow : clBtnFace;
        if (active) {
            UsePen(canvas, clBtnShadow);
            UseBrush(canvas, brush);
            DrawTabPolygon(canvas,
                           {{L, B}, {L, T + 6}, {L + 2, T + 3}, {L + 3, T + 2}, {L + 6, T}, {R - 18, T},
                            {R - 14, T + 2}, {R - 13, T + 3}, {R - 11, T + 6}, {R - 11, T + 7}, {R - 11, B - 10},
                            {R - 10, B - 9}, {R - 9, B - 5}, {R - 5, B - 1}, {R - 1, B}, {R, B}},
                           rect);
            return;
        }
        const std::vector<TPoint> outline = {{L, B - 1},      {L, T + 6},      {L + 2, T + 3},  {L + 3, T + 2},
                                             {L + 6, T},      {R - 18, T},     {R - 14, T + 2}, {R - 13, T + 3},
                                             {R - 11, T + 6}, {R - 11, T + 7}, {R - 11, B - 1}};
        const int state = canvas.SaveState();
        ClipToPolygon(canvas, outline, rect);
        fillInactive(page->TabColor());
        canvas.RestoreState(state);
        UsePen(canvas, clBtnShadow);
        DrawTabPolyline(canvas, outline, rect);
        return;
    }
    }
}

void TCfPageControl::DrawTabContent(TCanvas& canvas, const TRect& rect, TCfTabSheet* page, bool active)
{
    canvas.Font = page->TabFont();
    if (tabStyle_ == tsClassic && !active)
        canvas.Font.Color = clGrayText;
    TRect text = rect;
    switch (tabStyle_) {
    case tsClassic: text.Left += 6; break;
    case tsFlat: break;
    case tsOneNote:
    case tsWhidbey: text.Left += tabHeight_ - 6; break;
    case tsDexter: text.Left -= tabHeight_ / 2; break;
    }
    TBitmap* glyph = nullptr;
    int pw = 0, ph = 0;
    const bool useImage = page->DisplayMode() == tdImageIndex && images_ && page->ImageIndex() >= 0 &&
                          page->ImageIndex() < images_->Count();
    if (page->DisplayMode() == tdGlyph && !page->Glyph().Empty()) {
        glyph = &page->Glyph();
        pw = glyph->Width();
        ph = glyph->Height();
    } else if (useImage) {
        pw = images_->Width();
        ph = images_->Height();
    }
    const int pictureTop = rect.Top + tabHeight_ / 2 - ph / 2 + 1;
    if (tabAlignment_ == taLeftJustify)
        text.Left += 2;
    else if (tabAlignment_ == taRightJustify)
        text.Right -= 2;
    if (pw > 0) {
        int x = 0;
        switch (tabAlignment_) {
        case taLeftJustify:
            x = text.Left + 4;
            text.Left += pw + 6;
            break;
        case taRightJustify:
            x = text.Right - pw - 2;
            text.Right = x - 2;
            break;
        case taCenter:
            x = text.Left + 4;
            text.Left += pw;
            break;
        }
        if (!active)
            x += 4;
        if (glyph)
            canvas.Draw(x, pictureTop, *glyph);
        else
            images_->Draw(canvas, x, pictureTop, page->ImageIndex());
    }
    if (active && (options_ & pgBoldActiveTab))
        canvas.Font.Style |= fsBold;
    DrawTextRect(canvas, text, tabAlignment_, false, page->Caption());
}

// ---------------------------------------------------------------- join line, border, buttons

void TCfPageControl::DrawJoinLine(TCanvas& canvas, const TTabPlace* active)
{
    const int w = ClientWidth();
    const int y = tabPosition_ == tpTop ? tabHeight_ + topIndent_ : ClientHeight() - tabHeight_ - topIndent_ - 1;
    TColor edge = clWhite;
    switch (tabStyle_) {
    case tsClassic: edge = clWhite; break;
    case tsFlat:
    case tsWhidbey: edge = OutlineColor(); break;
    case tsOneNote: edge = clHotLight; break;
    case tsDexter: edge = clBtnShadow; break;
    }
    if (!active) {
        HLine(canvas, 0, w, y, edge);
        return;
    }
    const int A = active->Left, B = active->Right();
    const TColor under = adaptiveColors_ ? clWindow : active->Page->TabColor();
    switch (tabStyle_) {
    case tsClassic:
        HLine(canvas, 0, A + 1, y, edge);
        HLine(canvas, A + 1, B, y, clBtnFace);
        HLine(canvas, B, w, y, edge);
        break;
    case tsFlat:
    case tsWhidbey:
        HLine(canvas, 0, A, y, edge);
        HLine(canvas, A, B - 1, y, under);
        HLine(canvas, B - 1, w, y, edge);
        break;
    case tsOneNote:
        HLine(canvas, 0, A, y, edge);
        HLine(canvas, A, B, y, active->Page->PageColor());
        HLine(canvas, B, w, y, edge);
        break;
    case tsDexter:
        HLine(canvas, 0, A + 1, y, edge);
        HLine(canvas, A + 1, B - 1, y, under);
        HLine(canvas, B - 2, w, y, edge);
        break;
    }
}

void TCfPageControl::DrawPageBorder(TCanvas& canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    UsePen(canvas, clGrayText);
    if (!showTabs_) {
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(0, 0, w, h);
        canvas.Brush.Style = bsSolid;
        return;
    }
    if (tabPosition_ == tpTop) {
        const int y = topIndent_ + tabHeight_;
        canvas.Polyline({{0, y}, {0, h - 1}, {w - 1, h - 1}, {w - 1, y}});
    } else {
        const int y = h - topIndent_ - tabHeight_ - 1;
        canvas.Polyline({{0, y}, {0, 0}, {w - 1, 0}, {w - 1, y}});
    }
}

void TCfPageControl::DrawButton(TCanvas& canvas, TPageButton button)
{
    const TRect r = ButtonRect(button);
    if (button == hotButton_) {
        switch (tabStyle_) {
        case tsClassic: {
            TRect frame = r;
            if (button == pressedButton_)
                Frame3D(canvas, frame, clBlack, clBtnFace, 1);
            else
                Frame3D(canvas, frame, clBtnFace, clBlack, 1);
            break;
        }
        case tsFlat:
        case tsOneNote:
        case tsWhidbey:
            UsePen(canvas, clHighlight);
            UseBrush(canvas, BlendColor(clHighlight, clWindow, 80));
            canvas.Rectangle(r);
            break;
        case tsDexter:
            UsePen(canvas, clBtnShadow);
            UseBrush(canvas, clWindow);
            canvas.RoundRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1, 6, 6);
            break;
        }
    }
    UsePen(canvas, clBlack);
    UseBrush(canvas, clBlack);
    const int L = r.Left, T = r.Top, R = r.Right;
    auto triangle = [&](std::vector<TPoint> pts, bool hollow) {
        if (hollow) {
            pts.push_back(pts.front());
            canvas.Polyline(pts);
        } else {
            canvas.Polygon(pts);
        }
    };
    switch (button) {
    case pbClose:
        canvas.Draw(L + (r.Width() - closePicture_.Width()) / 2, T + (r.Height() - closePicture_.Height()) / 2,
                    closePicture_);
        break;
    case pbTabList: canvas.Polygon({{L + 4, T + 7}, {L + 11, T + 7}, {L + 8, T + 10}, {L + 7, T + 10}}); break;
    case pbScrollLeft: triangle({{R - 7, T + 3}, {R - 11, T + 7}, {R - 7, T + 11}}, ScrollAtLimit(-1)); break;
    case pbScrollRight: triangle({{L + 5, T + 3}, {L + 9, T + 7}, {L + 5, T + 11}}, ScrollAtLimit(1)); break;
    case pbNone: break;
    }
}

// ---------------------------------------------------------------- paint

void TCfPageControl::Paint(TCanvas& canvas)
{
    const TRect client = ClientRect();
    if (PageCount() == 0) {
        canvas.FillRect(client, Color);
        if (!(options_ & pgAlwaysShowTabsRect))
            return;
    } else {
        TRect area = client;
        if (showTabs_) {
            if (tabPosition_ == tpTop)
                area.Top += tabHeight_ + topIndent_ + 1;
            else
                area.Bottom -= tabHeight_ + topIndent_ + 1;
        }
        TCfTabSheet* active = ActivePage();
        if (!active || !active->PageVisible())
            canvas.FillRect(area, clBtnFace);
        if (margin_ > 0) {
            const TRect inner(area.Left + margin_, area.Top + margin_, area.Right - margin_, area.Bottom - margin_);
            canvas.FillRect(TRect(area.Left, area.Top, area.Right, inner.Top), Color);
            canvas.FillRect(TRect(area.Left, inner.Bottom, area.Right, area.Bottom), Color);
            canvas.FillRect(TRect(area.Left, inner.Top, inner.Left, inner.Bottom), Color);
            canvas.FillRect(TRect(inner.Right, inner.Top, area.Right, inner.Bottom), Color);
        }
    }
    if (options_ & pgPageBorder)
        DrawPageBorder(canvas);
    if (!showTabs_)
        return;
    DrawTabsBackground(canvas);

    const TRect strip = TabsRect();
    const std::vector<TTabPlace> places = TabPlaces();
    const int state = canvas.SaveState();
    // Tabs scrolled past the left end stop at Indent; cut tabs at the strip's end.
    canvas.IntersectClipRect(TRect(indent_, 0, partialTabs_ ? strip.Right : ClientWidth(), ClientHeight()));
    const TTabPlace* activePlace = nullptr;
    bool first = true;
    for (const TTabPlace& p : places) {
        if (!TabPainted(p)) {
            first = false;
            continue;
        }
        const TRect rect(p.Left, strip.Top, p.Right(), strip.Top + tabHeight_);
        if (p.Page == ActivePage()) {
            activePlace = &p;
        } else {
            DrawTab(canvas, rect, p.Page, false, first);
        }
        first = false;
    }
    canvas.RestoreState(state);
    DrawJoinLine(canvas, activePlace);
    if (activePlace) {
        const int activeState = canvas.SaveState();
        canvas.IntersectClipRect(
            TRect(indent_, 0, partialTabs_ ? strip.Right : ClientWidth(), ClientHeight()));
        DrawTab(canvas, TRect(activePlace->Left, strip.Top, activePlace->Right(), strip.Top + tabHeight_),
                activePlace->Page, true, true);
        canvas.RestoreState(activeState);
    }
    if (options_ & pgCloseButton)
        DrawButton(canvas, pbClose);
    if (options_ & pgTabsPopup)
        DrawButton(canvas, pbTabList);
    if (options_ & pgScrollButtons) {
        DrawButton(canvas, pbScrollLeft);
        DrawButton(canvas, pbScrollRight);
    }
}

} // namespace cf
