#include "controls/CfPopupControl.h"

#include "controls/CfEdit.h"
#include "controls/CfSharedDraw.h"
#include "platform/AppState.h"
#include "platform/ScreenArea.h"


#include <charconv>

namespace cf {

// ---------------------------------------------------------------- items

std::string ItemDisplayText(const std::string& item, TItemsDisplayMode mode)
{
    size_t eq = item.find('=');
    switch (mode) {
    case TItemsDisplayMode::dmDefault: return item;
    case TItemsDisplayMode::dmNameList: return eq == std::string::npos ? item : item.substr(0, eq);
    case TItemsDisplayMode::dmValueList:
    case TItemsDisplayMode::dmIndentList: return eq == std::string::npos ? std::string() : item.substr(eq + 1);
    }
    return item;
}

int ItemIndentLevel(const std::string& item)
{
    size_t eq = item.find('=');
    std::string name = eq == std::string::npos ? item : item.substr(0, eq);
    int level = 0;
    auto r = std::from_chars(name.data(), name.data() + name.size(), level);
    if (r.ec != std::errc() || r.ptr != name.data() + name.size())
        return 0;
    // Levels are small; a damaged list must not push the text out of sight.
    return std::clamp(level, 0, 64);
}

// ---------------------------------------------------------------- pop-up window

TCfPopupControl::TCfPopupControl(TCfPopupEdit* edit) : TCfControl(nullptr), edit_(edit)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    Color = clWindow;
    hide();
    bar_->LargeChange = 10;
    WhenApplicationDeactivates(this, [this] { ApplicationDeactivated(); });
}

TCfPopupControl::~TCfPopupControl()
{
    Capture(false);
}

void TCfPopupControl::Capture(bool on)
{
    if (on) {
        if (isVisible())
            grabMouse();
    } else if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
}

void TCfPopupControl::ClickAt(int, int) {}

void TCfPopupControl::PopupAt(int x, int y)
{
    TRect r(x, y, x + Width(), y + Height());
    TRect work = MonitorWorkArea(r);
    int left = r.Right > work.Right ? work.Right - Width() : (x < work.Left ? work.Left : x);
    int top = r.Bottom > work.Bottom ? work.Bottom - Height() : (y < work.Top ? work.Top : y);
    move(left, top);
    Closed = false;
    show();
    Invalidate();
    Capture(true);
}

void TCfPopupControl::CloseUp()
{
    Armed = false;
    if (edit_)
        edit_->SetDropped(false);
    if (OnClose)
        OnClose();
}

void TCfPopupControl::ApplicationDeactivated()
{
    if (!Closed)
        CloseUp();
}

void TCfPopupControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCfControl::MouseUp(button, shift, x, y);
    if (!Armed) {
        Armed = true;
        Capture(true);
        return;
    }
    if (PtInRect(ClientRect(), TPoint(x, y)))
        ClickAt(x, y);
    else if (!Closed)
        CloseUp();
}

bool TCfPopupControl::MouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    if (edit_)
        return edit_->MouseWheel(shift, delta, mousePos);
    return TCfControl::MouseWheel(shift, delta, mousePos);
}

void TCfPopupControl::MouseEnter()
{
    Capture(false);
    TCfControl::MouseEnter();
}

void TCfPopupControl::MouseLeave()
{
    if (!Closed)
        Capture(true);
    TCfControl::MouseLeave();
}

// ---------------------------------------------------------------- item list

TCfPopupList::TCfPopupList(TCfPopupEdit* edit) : TCfPopupControl(edit)
{
    resize(80, 50);
}

int TCfPopupList::VisibleRows() const
{
    return (ClientHeight() - 4) / itemHeight_;
}

int TCfPopupList::GetItemCount() const
{
    return Items ? int(Items->size()) : 0;
}

int TCfPopupList::GetMaxScroll() const
{
    return GetItemCount() - VisibleRows();
}

int TCfPopupList::GetVertScrollDelta(int oldPosition, int newPosition)
{
    return (oldPosition - newPosition) * itemHeight_;
}

void TCfPopupList::UpdateBar()
{
    int count = GetItemCount();
    bar_->SetMax(GetMaxScroll());
    bar_->SetVisible(VisibleCountLimit < count);
    bar_->SetPageSize(0);
    if (count > 0) {
        int b = bar_->ButtonSize();
        bar_->SetBounds(ClientWidth() - b - 2, 2, b, ClientHeight() - 4);
        double share = double(VisibleRows()) / count * 100;
        bar_->SetPageSize(RoundHalfEven(bar_->TrackLength() * share / 100));
    }
}

void TCfPopupList::PopupAt(int x, int y)
{
    UpdateBar();
    TCfPopupControl::PopupAt(x, y);
}

TRect TCfPopupList::RowRect(int index) const
{
    TRect c = ContentRect();
    int top = c.Top + (index - bar_->Position()) * itemHeight_;
    return TRect(c.Left, top, c.Right, top + itemHeight_);
}

void TCfPopupList::SelectIndex(int index)
{
    int count = GetItemCount();
    int old = selected_;
    selected_ = (index >= 0 && index < count) ? index : -1;
    int rows = VisibleRows();
    int pos = bar_->Position();
    if (selected_ >= 0) {
        if (selected_ >= rows + pos)
            bar_->MoveBy(selected_ - rows - pos + 1);
        else if (selected_ < pos)
            bar_->MoveBy(selected_ - pos);
    }
    if (old != selected_) {
        if (old >= 0)
            InvalidateRect(RowRect(old));
        if (selected_ >= 0)
            InvalidateRect(RowRect(selected_));
    }
}

void TCfPopupList::ClickAt(int x, int y)
{
    TRect c = ContentRect();
    if (!PtInRect(c, TPoint(x, y)))
        return;
    int index = (y - 2) / itemHeight_ + bar_->Position();
    HotIndex = index;
    if (index < 0 || index >= GetItemCount())
        return;
    // The clicked row is the selection, whatever the pointer last hovered.
    SelectIndex(index);
    if (OnSelectText)
        OnSelectText(index, (*Items)[size_t(index)]);
}

void TCfPopupList::MouseMove(TShiftState shift, int x, int y)
{
    TCfPopupControl::MouseMove(shift, x, y);
    if (bar_->ThumbState & TCfVertScrollBar::stPressed)
        return;
    TRect c = ContentRect();
    if (!PtInRect(c, TPoint(x, y)))
        return;
    int index = (y - 2) / itemHeight_ + bar_->Position();
    if (index >= 0 && index < GetItemCount() && index != selected_) {
        int old = selected_;
        selected_ = index;
        if (old >= 0)
            InvalidateRect(RowRect(old));
        InvalidateRect(RowRect(index));
    }
}

void TCfPopupList::DrawItem(TCanvas& canvas, int index, const TRect& rect)
{
    if (!Items || index < 0 || index >= GetItemCount())
        return;
    const std::string& item = (*Items)[size_t(index)];
    int textLeft = rect.Left + 2;
    if (ShowImages && Images) {
        if (index < Images->Count())
            Images->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - Images->Height()) / 2, index);
        textLeft = rect.Left + Images->Width() + 5;
    }
    // However deep the level, the text starts in the left half of the row.
    if (DisplayMode == TItemsDisplayMode::dmIndentList)
        textLeft += std::min(10 * ItemIndentLevel(item), std::max(0, rect.Width() / 2));
    TRect tr(textLeft, rect.Top, rect.Right, rect.Bottom);
    if (tr.IsEmpty())
        return;
    DrawTextLine(canvas, tr, TAlignment::taLeftJustify, ItemDisplayText(item, DisplayMode), false);
}

void TCfPopupList::Paint(TCanvas& canvas)
{
    TCfPopupControl::Paint(canvas);
    TRect c = ContentRect();
    VertScrollArea = c;
    if (c.IsEmpty())
        return;
    int state = canvas.SaveState();
    canvas.IntersectClipRect(c);
    PaintingCanvas = &canvas;
    int count = GetItemCount();
    int top = c.Top;
    // Only rows inside the area being painted are drawn (a scroll repaints one strip).
    TRect clip = canvas.ClipRect();
    for (int i = std::max(0, bar_->Position()); i < count && top < c.Bottom; ++i, top += itemHeight_) {
        TRect row(c.Left, top, c.Right, top + itemHeight_);
        if (IntersectRect(row, clip).IsEmpty())
            continue;
        bool selected = i == selected_;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = selected ? SelectionColor : DropDownColor;
        canvas.Font.Color = selected ? HighlightTextColor : clWindowText;
        bool fill = DrawingOptions != TDrawingOptions::doCustomOnly;
        bool own = DrawingOptions == TDrawingOptions::doNormal || DrawingOptions == TDrawingOptions::doCustom;
        bool callback = DrawingOptions != TDrawingOptions::doNormal;
        if (fill)
            canvas.FillRect(row);
        if (own)
            DrawItem(canvas, i, row);
        if (callback && OnDrawItemCallback)
            OnDrawItemCallback(i, row, selected);
    }
    if (top < c.Bottom)
        canvas.FillRect(TRect(c.Left, top, c.Right, c.Bottom), DropDownColor);
    PaintingCanvas = nullptr;
    canvas.RestoreState(state);
}

} // namespace cf
