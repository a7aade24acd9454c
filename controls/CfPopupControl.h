#pragma once

// The list that drops down under an edit: a frameless top-level window that
// closes itself when the user clicks elsewhere or leaves the application,
// and the owner-drawn item list on it with its own vertical bar.

#include "controls/CfClasses.h"
#include "controls/CfScrollControl.h"
#include "platform/ImageList.h"

#include <QPointer>

#include <functional>
#include <string>
#include <vector>

namespace cf {

class TCfPopupEdit;
struct TCfItemState;

class TCfPopupControl : public TCfControl {
public:
    explicit TCfPopupControl(TCfPopupEdit* edit);
    ~TCfPopupControl() override;

    TCfPopupEdit* OwnerEdit() const { return edit_; }
    bool Closed = true;
    // The first mouse-up after opening belongs to the click that opened the
    // list; it only arms the list.
    bool Armed = false;
    std::function<void()> OnClose;
    std::function<void(int index, const std::string& text)> OnSelectText;

    virtual void ClickAt(int x, int y);
    // (x, y) in screen coordinates; the window is kept inside the work area.
    virtual void PopupAt(int x, int y);
    virtual void CloseUp();
    // What the application's deactivation does to an open list.
    void ApplicationDeactivated();

    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The wheel belongs to the edit that has the focus, wherever the pointer is.
    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Capture(bool on);
    TCfPopupEdit* edit_;
};

class TCfPopupList : public TCfPopupControl {
public:
    explicit TCfPopupList(TCfPopupEdit* edit);

    TItemsDisplayMode DisplayMode = TItemsDisplayMode::dmDefault;
    TColor DropDownColor = clWindow;
    int VisibleCountLimit = 8;
    TColor HighlightTextColor = clHighlightText;
    int SelectedIndex() const { return selected_; }
    QPointer<TCustomImageList> Images;
    int HotIndex = -1;
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h) { itemHeight_ = std::max(1, h); }
    const std::vector<std::string>* Items = nullptr;
    TColor SelectionColor = clHighlight;
    bool ShowImages = false;
    std::function<void(int index, TRect rect, bool selected)> OnDrawItemCallback;
    TDrawingOptions DrawingOptions = TDrawingOptions::doNormal;
    // The canvas being painted, for draw-item callbacks; none outside Paint.
    TCanvas* PaintingCanvas = nullptr;

    int VisibleRows() const;
    virtual int GetItemCount() const;
    virtual int GetMaxScroll() const;
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect);
    void SelectIndex(int index);
    // Row rectangle of an item (client coordinates; may lie outside the content).
    TRect RowRect(int index) const;
    // Bar range and page for the current size and items.
    void UpdateBar();

    int GetVertScrollDelta(int oldPosition, int newPosition) override;
    void PopupAt(int x, int y) override;
    void ClickAt(int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void Paint(TCanvas& canvas) override;

private:
    int selected_ = -1;
    int itemHeight_ = 16;
};

// Text of a name=value item by display mode, and the indent level of the
// indented mode (0 for anything that is not a sensible level).
std::string ItemDisplayText(const std::string& item, TItemsDisplayMode mode);
int ItemIndentLevel(const std::string& item);

} // namespace cf
