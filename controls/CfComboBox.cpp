#include "controls/CfEdit.h"
#include "platform/SameText.h"

#include "controls/CfNativeEdit.h"
#include "controls/CfPopupControl.h"
#include "controls/DeRudaduZevari.h"
#include "platform/QtConvert.h"
#include "platform/Timer.h"

#include <QEvent>

namespace cf {

// ---------------------------------------------------------------- drop-down edit

TCfPopupEdit::TCfPopupEdit(QWidget* owner) : TCfCustomButtonEdit(owner)
{
    InitButton(new TDropDownButton(this, this));
    SetShowButton(true);
}

TCfPopupEdit::~TCfPopupEdit()
{
    // The list goes first, while everything it calls back into still exists.
    if (popup_) {
        popup_->OnClose = nullptr;
        popup_->OnSelectText = nullptr;
    }
    popup_.reset();
}

TCfPopupControl* TCfPopupEdit::NewPopup()
{
    return new TCfPopupList(this);
}

void TCfPopupEdit::EnsurePopup()
{
    if (popup_)
        return;
    popup_.reset(NewPopup());
    popup_->hide();
    popup_->OnClose = [this] {
        if (button_) {
            button_->Down = false;
            button_->Invalidate();
        }
    };
    popup_->OnSelectText = [this](int index, const std::string& text) { PopupSelected(index, text); };
}

void TCfPopupEdit::SetStyle(TDropDownStyle s)
{
    style_ = s;
    bool list = s == TDropDownStyle::dsDropDownList;
    SetReadOnly(list);
    SetCursor(list ? crArrow : crDefault);
    UpdateTextVisibility();
    UpdateMargins();
}

void TCfPopupEdit::SetDropped(bool value, bool byKeyboard)
{
    if (value == dropped_)
        return;
    EnsurePopup();
    if (value) {
        TPoint p = ClientToScreen(TPoint(-1, ClientHeight()));
        popup_->Font = Font;
        popup_->resize(Width(), popup_->height());
        popup_->SetCaption(Text());
        PreparePopup(p);
        listDropped_ = true;
        dropped_ = true;
        popup_->PopupAt(p.X, p.Y);
        // Opened from the keyboard there is no click to finish: the first
        // mouse-up in the list is the user's own.
        if (byKeyboard)
            popup_->Armed = true;
        if (style_ == TDropDownStyle::dsDropDownList)
            Invalidate();
        return;
    }
    dropped_ = false;
    popup_->Closed = true;
    popup_->Armed = false;
    if (QWidget::mouseGrabber() == popup_.get())
        popup_->releaseMouse();
    listDropped_ = false;
    if (button_) {
        button_->Down = false;
        button_->Invalidate();
    }
    popup_->hide();
    if (OnCloseUp)
        OnCloseUp(this);
}

void TCfPopupEdit::ButtonDown()
{
    TCfCustomButtonEdit::ButtonDown();
    if (!dropped_)
        SetDropped(true);
}

void TCfPopupEdit::PopupSelected(int index, const std::string& text)
{
    if (OnSelect)
        OnSelect(this);
    TCfCustomButtonEdit::PopupSelected(index, text);
    SetDropped(false);
}

bool TCfPopupEdit::ClaimsDialogKey(uint16_t key, TShiftState shift) const
{
    if (dropped_ && (key == VK_RETURN || key == VK_ESCAPE))
        return true;
    return TCfCustomButtonEdit::ClaimsDialogKey(key, shift);
}

void TCfPopupEdit::EditKeyDown(uint16_t& key, TShiftState shift)
{
    if ((key == VK_UP || key == VK_DOWN) && (shift & ssAlt)) {
        SetDropped(!dropped_, true);
        key = 0;
        return;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && dropped_) {
        SetDropped(false);
        key = 0;
        return;
    }
    TCfCustomButtonEdit::EditKeyDown(key, shift);
}

void TCfPopupEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && style_ == TDropDownStyle::dsDropDownList) {
        if (button_) {
            button_->Down = true;
            button_->Invalidate();
        }
        ButtonDown();
    }
    TCfCustomButtonEdit::MouseDown(button, shift, x, y);
}

void TCfPopupEdit::MouseMove(TShiftState shift, int x, int y)
{
    TCfCustomButtonEdit::MouseMove(shift, x, y);
    if (style_ == TDropDownStyle::dsDropDownList)
        SetCursor(crArrow);
}

void TCfPopupEdit::InfoMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    MouseDown(button, shift, x, y);
}

void TCfPopupEdit::DoExit()
{
    SetDropped(false);
    Invalidate();
    TCfCustomButtonEdit::DoExit();
}

void TCfPopupEdit::DoEnter()
{
    if (style_ == TDropDownStyle::dsDropDownList)
        Invalidate();
    TCfCustomButtonEdit::DoEnter();
}

void TCfPopupEdit::CancelMode()
{
    SetDropped(false);
}

bool TCfPopupEdit::event(QEvent* e)
{
    if (e->type() == QEvent::Hide || e->type() == QEvent::Show)
        SetDropped(false);
    return TCfCustomButtonEdit::event(e);
}

void TCfPopupEdit::PaintTextArea(TCanvas& canvas)
{
    if (style_ != TDropDownStyle::dsDropDownList)
        return;
    TRect r = ClientRect();
    if (button_ && ShowButton())
        r.Right -= button_->Width();
    bool focused = Focused();
    TColor back = focused ? (Embedded ? Color : clHighlight) : Color;
    canvas.FillRect(r, back);
    if (focused && !HideFocus && !Embedded)
        canvas.DrawFocusRect(r);
    TRect t = r;
    t.Left += EditMargins().Left() + (!info_->isHidden() ? info_->Width() : 0);
    t.Right -= EditMargins().Right();
    if (BorderStyle() == TBorderStyle::bsSingle) {
        t.Left += borderWidth_ + 2;
        t.Right -= borderWidth_ + 2;
    }
    if (t.IsEmpty())
        return;
    canvas.Font = Font;
    if (!isEnabled())
        canvas.Font.Color = clGrayText;
    else if (focused && !Embedded)
        canvas.Font.Color = clHighlightText;
    canvas.Brush.Style = bsClear;
    // One line in a field: centred top to bottom, clear of the focus rectangle.
    DrawTextBlockPlaced(canvas, t, Text(), TVerticalAlignment::taVerticalCenter, Alignment());
    canvas.Brush.Style = bsSolid;
}

// ---------------------------------------------------------------- combo box

TCfComboBox::TCfComboBox(QWidget* owner) : TCfPopupEdit(owner) {}

TCfComboBox::~TCfComboBox()
{
    items_.clear();
}

TCfPopupControl* TCfComboBox::NewPopup()
{
    auto* list = new TCfPopupList(this);
    list->Items = &items_;
    return list;
}

TCfPopupList* TCfComboBox::List()
{
    EnsurePopup();
    return static_cast<TCfPopupList*>(popup_.get());
}

std::string TCfComboBox::ItemText(int index) const
{
    if (index < 0 || index >= int(items_.size()))
        return {};
    return ItemDisplayText(items_[size_t(index)], DisplayMode);
}

void TCfComboBox::SetItemIndex(int v)
{
    itemIndex_ = v;
    if (Loading)
        return;
    bool valid = v >= 0 && v < int(items_.size());
    // The text follows the index here, so the text hook must not reset it.
    settingIndex_ = true;
    SetText(valid ? ItemText(v) : std::string());
    settingIndex_ = false;
    List()->SelectIndex(valid ? v : -1);
    if (ShowPreview())
        RefreshPreview();
}

void TCfComboBox::Loaded()
{
    Loading = false;
    SetItemIndex(itemIndex_);
}

void TCfComboBox::PreparePopup(TPoint)
{
    TCfPopupList* list = List();
    list->DropDownColor = DropDownColor;
    list->VisibleCountLimit = DropDownCount;
    list->HighlightTextColor = HighlightTextColor;
    list->DisplayMode = DisplayMode;
    list->DrawingOptions = DrawingOptions;
    list->Items = &items_;
    list->Images = Images;
    list->SetItemHeight(ItemHeight);
    list->SelectionColor = SelectionColor;
    list->ShowImages = !Images.isNull();
    list->OnDrawItemCallback = [this](int index, TRect rect, bool selected) {
        if (OnDrawItem) {
            TCfItemState state;
            state.Selected = selected;
            OnDrawItem(this, index, rect, state);
        }
    };
    int width = std::max(ListWidth > 0 ? ListWidth : Width(), Width());
    int rows = std::min(DropDownCount, int(items_.size()));
    list->resize(width, std::max(0, rows) * list->ItemHeight() + 4);
    // The bar must know the new size before the selection is scrolled into view.
    list->UpdateBar();
    int index = itemIndex_ >= 0 && itemIndex_ < int(items_.size()) ? itemIndex_ : -1;
    list->SelectIndex(index);
}

void TCfComboBox::PopupSelected(int index, const std::string& text)
{
    int selected = List()->SelectedIndex();
    if (selected >= 0 && selected < int(items_.size()))
        SetItemIndex(selected);
    TCfPopupEdit::PopupSelected(index, text);
}

void TCfComboBox::SetStyle(TDropDownStyle s)
{
    TCfPopupEdit::SetStyle(s);
    if (s == TDropDownStyle::dsDropDownList)
        SetItemIndex(itemIndex_);
}

void TCfComboBox::TextChanged()
{
    if (DisplayMode != TItemsDisplayMode::dmDefault || settingIndex_)
        return;
    std::string t = Text();
    if (std::find(items_.begin(), items_.end(), t) == items_.end())
        itemIndex_ = -1;
}

void TCfComboBox::DrawPreview(TCanvas& canvas, const TRect& r)
{
    canvas.FillRect(r, Color);
    if (Images)
        Images->Draw(canvas, r.Left + 1, r.Top + (r.Height() - Images->Height()) / 2, itemIndex_);
    TCfPopupEdit::DrawPreview(canvas, r);
}

void TCfComboBox::EditKeyDown(uint16_t& key, TShiftState shift)
{
    TCfPopupEdit::EditKeyDown(key, shift);
    if (key != 0)
        ArrowKey(key, shift);
}

void TCfComboBox::ArrowKey(uint16_t& key, TShiftState shift)
{
    if ((key != VK_UP && key != VK_DOWN) || (shift & ssAlt))
        return;
    int count = int(items_.size());
    if (Dropped()) {
        int sel = List()->SelectedIndex();
        if (key == VK_UP && sel >= 1)
            SetItemIndex(sel - 1);
        else if (key == VK_DOWN && sel < count - 1)
            SetItemIndex(sel + 1);
        key = 0;
        return;
    }
    if (Embedded)
        return;  // the host moves between rows
    int cur = itemIndex_ >= 0 && itemIndex_ < count ? itemIndex_ : -1;
    if (key == VK_UP && cur >= 1)
        SetItemIndex(cur - 1);
    else if (key == VK_DOWN && cur < count - 1)
        SetItemIndex(cur + 1);
    key = 0;
}

bool TCfComboBox::MouseWheel(TShiftState, int delta, TPoint)
{
    if (Embedded)
        return true;
    int step = delta > 0 ? -1 : 1;
    if (Dropped()) {
        List()->ScrollBar()->MoveBy(step);
        return true;
    }
    int count = int(items_.size());
    if (count == 0)
        return true;
    int cur = itemIndex_ >= 0 && itemIndex_ < count ? itemIndex_ : (step > 0 ? -1 : count);
    int next = std::clamp(cur + step, 0, count - 1);
    if (next != itemIndex_)
        SetItemIndex(next);
    return true;
}

void TCfComboBox::EditKeyPress(char32_t& key)
{
    TCfPopupEdit::EditKeyPress(key);
    if (key == 0)
        return;
    TypedChar(key);
}

void TCfComboBox::TypedChar(char32_t& key)
{
    bool list = Style() == TDropDownStyle::dsDropDownList;
    if (list) {
        uint64_t now = Clock().NowMs();
        if (!haveLastKey_ || now - lastKeyTime_ >= uint64_t(std::max(0, AutoCompleteDelay)))
            typeAhead_.clear();
        lastKeyTime_ = now;
        haveLastKey_ = true;
    } else {
        typeAhead_ = ToU32(Text());
    }
    if (key == 8) {
        if (!AutoComplete)
            return;
        std::u32string text = ToU32(Text());
        int selStart = SelStart(), selLen = SelLength();
        if (!list && selLen > 0) {
            text.erase(size_t(selStart), size_t(selLen));
            SetText(FromU32(text));
            SetSelStart(selStart);
        } else if (list || text.empty()) {
            if (!typeAhead_.empty())
                typeAhead_.pop_back();
            Change();
        } else if (selStart > 0) {
            text.erase(size_t(selStart - 1), 1);
            SetText(FromU32(text));
            SetSelStart(selStart - 1);
            typeAhead_ = text;
        }
        key = 0;
        return;
    }
    if (key == 9) {
        if (AutoDropDown && Dropped())
            SetDropped(false);
        return;
    }
    if (key == 13 || key == 27)
        return;
    if (AutoDropDown && !Dropped())
        SetDropped(true, true);
    if (AutoComplete) {
        std::u32string search = typeAhead_;
        if (!list && SelLength() > 0)
            search = ToU32(Text()).substr(0, size_t(std::max(0, SelStart())));
        search += key;
        if (SelectItem(search))
            key = 0;
    }
}

bool TCfComboBox::SelectItem(std::u32string text)
{
    if (text.empty()) {
        SetItemIndex(-1);
        Change();
        return false;
    }
    QString q = QString::fromStdU32String(text);
    int found = -1;
    for (size_t i = 0; i < items_.size(); ++i) {
        std::string candidate = DisplayMode == TItemsDisplayMode::dmValueList
                                    ? ItemDisplayText(items_[i], TItemsDisplayMode::dmValueList)
                                    : items_[i];
        if (QString::fromStdString(candidate).startsWith(q, Qt::CaseInsensitive)) {
            found = int(i);
            break;
        }
    }
    if (found < 0)
        return false;
    bool changed = found != itemIndex_;
    SetItemIndex(found);
    if (DisplayMode == TItemsDisplayMode::dmDefault || DisplayMode == TItemsDisplayMode::dmValueList) {
        std::u32string own = ToU32(DisplayMode == TItemsDisplayMode::dmValueList
                                       ? ItemDisplayText(items_[size_t(found)], TItemsDisplayMode::dmValueList)
                                       : items_[size_t(found)]);
        text = own.substr(0, text.size());
    }
    if (Style() == TDropDownStyle::dsDropDownList) {
        SetItemIndex(found);
        typeAhead_ = text;
    } else {
        std::u32string whole = ToU32(ItemText(found));
        SetText(FromU32(whole));
        SetSelStart(int(text.size()));
        SetSelLength(int(whole.size()) - int(text.size()));
    }
    if (changed) {
        if (OnClick)
            OnClick(this);
        if (OnSelect)
            OnSelect(this);
        else
            Change();
    }
    return true;
}


std::unique_ptr<TTextLines> TCfComboBox::LinesProperty(const std::string& name)
{
    if (!SameText(name, "Items"))
        return TCfPopupEdit::LinesProperty(name);
    return std::make_unique<TVectorLines>(items_);
}

} // namespace cf
