// Geometry, scrolling and input of the page control; painting lives in
// CfPageControlPaint.cpp.

#include "controls/CfPageControl.h"

#include "controls/DialogKeys.h"
#include "platform/Cursors.h"

#include <QCursor>
#include <QShowEvent>

#include <algorithm>

namespace cf {

TCfPageControl::TCfPageControl(QWidget* parent)
    : TCfCustomNotebook(parent), tabsMenu_(std::make_unique<TPopupMenu>())
{
    SetTabStop(true);
    closePicture_ = ProgramBitmap("CLOSEBTN");
    closePicture_.Transparent = true;
    closePicture_.TransparentMode = TTransparentMode::tmFixed;
    closePicture_.SetTransparentColor(clWhite);
    scrollTimer_.SetEnabled(false);
    scrollTimer_.SetInterval(100);
    scrollTimer_.SetOnTimer([this](TTimer*) {
        const int direction = pressedButton_ == pbScrollLeft ? -1 : pressedButton_ == pbScrollRight ? 1 : 0;
        if (direction && !ScrollAtLimit(direction))
            ScrollTabs(direction);
    });
    lastClientWidth_ = ClientWidth();
    lastClientHeight_ = ClientHeight();
}

TCfPageControl::~TCfPageControl() = default;

// ---------------------------------------------------------------- properties

void TCfPageControl::SetImages(TCustomImageList* images)
{
    images_ = images;
    TabsChanged();
}

void TCfPageControl::SetIndent(int v)
{
    indent_ = v;
    TabsChanged();
}

void TCfPageControl::SetMargin(int v)
{
    margin_ = v;
    Realign();
    Invalidate();
}

void TCfPageControl::SetOptions(TPageOptions o)
{
    options_ = o;
    Realign();
    TabsChanged();
}

void TCfPageControl::SetScrollMethod(TScrollMethod m)
{
    scrollMethod_ = m;
    TabsChanged();
}

void TCfPageControl::SetShowTabs(bool on)
{
    showTabs_ = on;
    Realign();
    Invalidate();
}

void TCfPageControl::SetTabHeight(int v)
{
    tabHeight_ = v;
    Realign();
    TabsChanged();
}

void TCfPageControl::SetTabMargin(int v)
{
    tabMargin_ = v;
    TabsChanged();
}

void TCfPageControl::SetTabMaxWidth(int v)
{
    tabMaxWidth_ = v;
    TabsChanged();
}

void TCfPageControl::SetTabPosition(TTabPosition p)
{
    tabPosition_ = p;
    Realign();
    Invalidate();
}

void TCfPageControl::SetTabStyle(TTabStyle s)
{
    tabStyle_ = s;
    TabsChanged();
}

void TCfPageControl::SetTopIndent(int v)
{
    topIndent_ = v;
    Realign();
    TabsChanged();
}

void TCfPageControl::SetFont(const TFont& f)
{
    Font = f;
    PropagateFont();
}

void TCfPageControl::showEvent(QShowEvent* e)
{
    // Alt+letter of a tab caption reaches the control through the window.
    EnableAccelerators(this);
    TCfCustomNotebook::showEvent(e);
}

// ---------------------------------------------------------------- geometry

int TCfPageControl::StripRight() const
{
    int r = ClientWidth() - ((options_ & pgCloseButton) ? 39 : 23);
    if (options_ & pgTabsPopup)
        r -= 16;
    if (options_ & pgScrollButtons)
        r -= 32;
    return r;
}

TRect TCfPageControl::TabsRect() const
{
    if (tabPosition_ == tpTop)
        return TRect(indent_, topIndent_, StripRight(), topIndent_ + tabHeight_);
    const int bottom = ClientHeight() - topIndent_ - ((options_ & pgTopBorder) ? 1 : 0);
    return TRect(indent_, bottom - tabHeight_, StripRight(), bottom);
}

TRect TCfPageControl::ButtonRect(TPageButton button) const
{
    const int stripTop = tabPosition_ == tpTop ? topIndent_ : ClientHeight() - tabHeight_ - topIndent_ + 1;
    const int top = stripTop + tabHeight_ / 2 - 8;
    int x = ClientWidth() - ((options_ & pgCloseButton) ? 20 : 4);
    if (button == pbClose)
        return TRect(x, top, x + 16, top + 16);
    if (options_ & pgTabsPopup) {
        x -= 16;
        if (button == pbTabList)
            return TRect(x, top, x + 16, top + 16);
    }
    if (button == pbScrollLeft)
        return TRect(x - 32, top, x - 16, top + 16);
    if (button == pbScrollRight)
        return TRect(x - 16, top, x, top + 16);
    return TRect();
}

TPageButton TCfPageControl::ButtonAt(int x, int y) const
{
    if (!showTabs_)
        return pbNone;
    const TPoint p(x, y);
    TPageButton hit = pbNone;
    if ((options_ & pgCloseButton) && PtInRect(ButtonRect(pbClose), p))
        hit = pbClose;
    else if ((options_ & pgScrollButtons) && PtInRect(ButtonRect(pbScrollLeft), p))
        hit = pbScrollLeft;
    else if ((options_ & pgScrollButtons) && PtInRect(ButtonRect(pbScrollRight), p))
        hit = pbScrollRight;
    if ((options_ & pgTabsPopup) && PtInRect(ButtonRect(pbTabList), p))
        hit = pbTabList;
    return hit;
}

int TCfPageControl::TabOverlap() const
{
    switch (tabStyle_) {
    case tsClassic: return 0;
    case tsFlat: return tabHeight_ / 2;
    case tsOneNote: return tabHeight_ - 3;
    case tsWhidbey: return tabHeight_ - 7;
    case tsDexter: return tabHeight_ - 6;
    }
    return 0;
}

int TCfPageControl::TabWidthOf(TCfTabSheet* page) const
{
    if (page->TabWidth() != 0)
        return page->TabWidth();
    static QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas measure(&scratch);
    measure.Font = page->TabFont();
    measure.Font.Style |= fsBold;
    int w = page->Caption().empty() ? 8 : measure.TextWidth(page->Caption());
    switch (tabStyle_) {
    case tsClassic: w += 12; break;
    case tsOneNote: w += tabHeight_ + 36; break;
    default: w += tabHeight_; break;
    }
    w += 2 * tabMargin_;
    if (page->DisplayMode() == tdGlyph && !page->Glyph().Empty())
        w += page->Glyph().Width() + 4;
    else if (page->DisplayMode() == tdImageIndex && images_ && page->ImageIndex() >= 0 &&
             page->ImageIndex() < images_->Count())
        w += images_->Width() + 4;
    if (tabMaxWidth_ > 0)
        w = std::min(w, tabMaxWidth_);
    return w;
}

std::vector<TTabPlace> TCfPageControl::TabPlaces() const
{
    std::vector<TTabPlace> places;
    const int overlap = TabOverlap();
    int x = indent_ - scrollOffset_;
    for (int i = 0; i < PageCount(); ++i) {
        TCfTabSheet* page = Pages(i);
        if (!page->PageVisible() || !page->TabVisible())
            continue;
        const int w = TabWidthOf(page);
        places.push_back({page, x, w});
        x += w - overlap;
    }
    return places;
}

int TCfPageControl::TotalTabWidth() const
{
    const std::vector<TTabPlace> places = TabPlaces();
    if (places.empty())
        return 0;
    const int overlap = TabOverlap();
    int total = overlap;
    for (const TTabPlace& p : places)
        total += p.Width - overlap;
    return total;
}

int TCfPageControl::MaxScrollOffset() const
{
    const int total = TotalTabWidth();
    if (scrollMethod_ != smPixels)
        return total;
    return std::max(0, total - (StripRight() - indent_));
}

bool TCfPageControl::TabPainted(const TTabPlace& place) const
{
    if (place.Right() <= indent_)
        return false;
    const int r = StripRight();
    return partialTabs_ ? place.Left < r : place.Right() <= r;
}

int TCfPageControl::TabAt(int x, int y) const
{
    if (!showTabs_ || !PtInRect(TabsRect(), TPoint(x, y)))
        return -1;
    const std::vector<TTabPlace> places = TabPlaces();
    const int overlap = TabOverlap();
    // The active tab lies on top of its neighbours along its slanted edge.
    for (const TTabPlace& p : places)
        if (p.Page == ActivePage() && TabPainted(p) && x >= p.Left && x < p.Left + overlap && x < p.Right())
            return IndexOf(p.Page);
    for (const TTabPlace& p : places)
        if (TabPainted(p) && x >= p.Left && x < p.Right())
            return IndexOf(p.Page);
    return -1;
}

int TCfPageControl::PageAreaHeight() const
{
    return ClientHeight() - ((options_ & pgTopBorder) ? 1 : 0) - tabHeight_ - topIndent_;
}

TRect TCfPageControl::PageClientRect() const
{
    TRect r = ClientRect();
    if (showTabs_) {
        if (tabPosition_ == tpTop)
            r.Top += tabHeight_ + topIndent_ + 1;
        else
            r.Bottom -= tabHeight_ + topIndent_ + 1;
    }
    r.Left += margin_;
    r.Top += margin_;
    r.Right -= margin_;
    r.Bottom -= margin_;
    if (options_ & pgPageBorder) {
        r.Left += 1;
        r.Right -= 1;
        r.Bottom -= 1;
        if (!showTabs_)
            r.Top += 1;
    }
    return r;
}

// ---------------------------------------------------------------- scrolling

void TCfPageControl::SetScrollOffset(int offset)
{
    if (offset == scrollOffset_)
        return;
    scrollOffset_ = offset;
    Invalidate();
}

void TCfPageControl::ClampScrollOffset()
{
    SetScrollOffset(std::clamp(scrollOffset_, 0, std::max(0, MaxScrollOffset())));
}

void TCfPageControl::ScrollTabs(int direction)
{
    if (direction == 0)
        return;
    switch (scrollMethod_) {
    case smSelect:
        if (direction < 0)
            SelectPriorPage();
        else
            SelectNextPage();
        return;
    case smPixels:
        SetScrollOffset(std::clamp(scrollOffset_ + 10 * direction, 0, MaxScrollOffset()));
        return;
    case smTab: {
        // Whole tabs: to the start of the tab beside the one cut by the
        // strip's left edge.
        int target = direction < 0 ? 0 : scrollOffset_;
        for (const TTabPlace& p : TabPlaces()) {
            const int start = p.Left + scrollOffset_ - indent_;
            if (direction < 0 && start < scrollOffset_)
                target = start;
            if (direction > 0 && start > scrollOffset_) {
                target = start;
                break;
            }
        }
        SetScrollOffset(std::clamp(target, 0, MaxScrollOffset()));
        return;
    }
    }
}

bool TCfPageControl::ScrollAtLimit(int direction) const
{
    if (scrollMethod_ == smSelect)
        return direction < 0 ? ActivePageIndex() == 0 : ActivePageIndex() >= PageCount() - 1;
    return direction < 0 ? scrollOffset_ <= 0 : scrollOffset_ >= MaxScrollOffset();
}

void TCfPageControl::ScrollTabIntoView(TCfTabSheet* page)
{
    const int r = StripRight();
    for (const TTabPlace& p : TabPlaces()) {
        if (p.Page != page)
            continue;
        if (p.Left >= indent_ && p.Right() <= r)
            return;
        int offset = scrollOffset_;
        if (p.Left > indent_)
            offset = std::min(offset + p.Right() - r, MaxScrollOffset());
        else
            offset += p.Left - indent_;  // brings the tab's left edge to Indent
        SetScrollOffset(std::max(0, offset));
        Invalidate();
        return;
    }
}

void TCfPageControl::TabsChanged()
{
    ClampScrollOffset();
    Invalidate();
}

void TCfPageControl::RepaintTab(TCfTabSheet*)
{
    Invalidate();
}

// ---------------------------------------------------------------- input

void TCfPageControl::SetHotButton(TPageButton b)
{
    if (b == hotButton_)
        return;
    hotButton_ = b;
    Invalidate();
}

void TCfPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCfCustomNotebook::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    SetFocus();
    const TPageButton b = ButtonAt(x, y);
    if (b != pbNone) {
        pressedButton_ = b;
        Invalidate();
        const int direction = b == pbScrollLeft ? -1 : b == pbScrollRight ? 1 : 0;
        if (direction) {
            if (!ScrollAtLimit(direction))
                ScrollTabs(direction);
            if (options_ & pgConstantScroll)
                scrollTimer_.SetEnabled(true);
        }
        return;
    }
    if (shift & ssDouble)
        return;
    const int index = TabAt(x, y);
    if (index >= 0 && index != ActivePageIndex())
        SetActivePageIndex(index);
}

void TCfPageControl::MouseMove(TShiftState shift, int x, int y)
{
    SetHotButton(ButtonAt(x, y));
    TCfCustomNotebook::MouseMove(shift, x, y);
}

void TCfPageControl::MouseLeave()
{
    SetHotButton(pbNone);
    TCfCustomNotebook::MouseLeave();
}

void TCfPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    scrollTimer_.SetEnabled(false);
    const TPageButton pressed = pressedButton_;
    pressedButton_ = pbNone;
    if (pressed != pbNone)
        Invalidate();
    const TPageButton at = ButtonAt(x, y);
    if (pressed == pbClose && at == pbClose) {
        ClosePressed();
    } else if (pressed == pbTabList && at == pbTabList) {
        ShowTabList();
        const TPoint p = ScreenToClient(TPoint(QCursor::pos().x(), QCursor::pos().y()));
        if (ButtonAt(p.X, p.Y) != pbTabList)
            SetHotButton(pbNone);
    }
    TCfCustomNotebook::MouseUp(button, shift, x, y);
}

void TCfPageControl::ClosePressed()
{
    TCfTabSheet* page = ActivePage();
    if (!page)
        return;
    bool accept = true;
    if (OnPageClose)
        OnPageClose(this, ActivePageIndex(), accept);
    // The handler may have removed the page itself.
    if (!accept || IndexOf(page) < 0)
        return;
    const int width = TabWidthOf(page);
    scrollOffset_ = std::max(0, scrollOffset_ - width);
    delete page;
    ClampScrollOffset();
    Invalidate();
}

void TCfPageControl::ShowTabList()
{
    const TRect b = ButtonRect(pbTabList);
    const TPoint at = ClientToScreen(TPoint(b.Left, b.Bottom));
    if (options_ & pgCustomTabsPopup) {
        if (OnCustomTabsPopup)
            OnCustomTabsPopup(this, at.X, at.Y);
        return;
    }
    tabsMenu_->Items.Clear();
    tabsMenu_->SetImages(images_);
    for (int i = 0; i < PageCount(); ++i) {
        TCfTabSheet* page = Pages(i);
        if (!page->PageVisible() || !page->TabVisible())
            continue;
        // Hidden pages are left out, so an item carries its page's own index.
        TMenuItem* item = tabsMenu_->Add("Tab" + std::to_string(i), page->Caption(),
                                         [this](TMenuItem& sender) { SetActivePageIndex(int(sender.Tag)); });
        item->Tag = i;
        item->ImageIndex = page->DisplayMode() == tdImageIndex ? page->ImageIndex() : -1;
    }
    tabsMenu_->Popup(at.X, at.Y);
}

bool TCfPageControl::DialogChar(char32_t ch)
{
    for (int i = 0; i < PageCount(); ++i) {
        TCfTabSheet* page = Pages(i);
        if (page->PageVisible() && page->TabVisible() && IsAccel(ch, page->Caption())) {
            SetActivePage(page);
            return true;
        }
    }
    return false;
}

void TCfPageControl::KeyDown(uint16_t& key, TShiftState shift)
{
    TCfCustomNotebook::KeyDown(key, shift);
    if (key == VK_LEFT) {
        SelectPriorPage();
        key = 0;
    } else if (key == VK_RIGHT) {
        SelectNextPage();
        key = 0;
    }
}

void TCfPageControl::Resize()
{
    const int w = ClientWidth(), h = ClientHeight();
    if (w != lastClientWidth_ && scrollOffset_ > 0)
        scrollOffset_ += lastClientWidth_ - w;
    lastClientWidth_ = w;
    lastClientHeight_ = h;
    // A widened control shows no gap before the first tab.
    scrollOffset_ = std::clamp(scrollOffset_, 0, std::max(0, MaxScrollOffset()));
    Invalidate();
    TCfCustomNotebook::Resize();
}

} // namespace cf
