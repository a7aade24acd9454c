#pragma once

// Pop-up menus as the class library offers them. The items are plain data
// the program sets freely (typically in OnPopup, just before the menu shows);
// the Qt menu is built from them on each opening, so it always shows the
// states the handlers chose. Shared handlers tell items apart by Name and Tag.

#include "platform/ImageList.h"
#include "platform/Keys.h"
#include "platform/Translatable.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cf {

// Virtual key in the low byte, modifiers in the high bits, as on Windows.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Ctrl+F", "F3", "Del", "Shift+Ctrl+Left"; empty for none.
std::string ShortCutToText(TShortCut sc);

class TMenuItem : public TTranslatable {
public:
    TMenuItem() = default;
    TMenuItem(std::string name, std::string caption) : Name(std::move(name)), Caption(std::move(caption)) {}
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    std::string Name;
    // "&" marks the accelerator ("&&" a plain ampersand); "-" makes a separator.
    std::string Caption;
    intptr_t Tag = 0;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    TShortCut ShortCut = scNone;
    // Picture of the menu's image list shown beside the caption; -1 for none.
    int ImageIndex = -1;
    std::function<void(TMenuItem& sender)> OnClick;

    bool IsLine() const { return Caption == "-"; }

    // Translatable text: Caption.
    std::optional<std::string> TextProperty(const std::string& name) const override;
    bool SetTextProperty(const std::string& name, const std::string& value) override;

    // Sub-items; an item with sub-items opens a sub-menu.
    int Count() const { return int(items_.size()); }
    TMenuItem& operator[](int index) const;
    TMenuItem* Parent() const { return parent_; }
    TMenuItem* Add(std::unique_ptr<TMenuItem> item);
    TMenuItem* Add(std::string name, std::string caption, std::function<void(TMenuItem&)> onClick = {});
    TMenuItem* AddSeparator() { return Add("", "-"); }
    void Clear() { items_.clear(); }
    // The item of this name among the sub-items, at any depth; nullptr when none.
    TMenuItem* FindItem(const std::string& name) const;
    bool Contains(const TMenuItem* item) const;

    // Runs OnClick with this item as sender, unless the item is disabled.
    void Click();

private:
    TMenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TPopupMenu : public QObject {
public:
    explicit TPopupMenu(QObject* owner = nullptr);
    ~TPopupMenu() override;

    std::string Name;
    TMenuItem Items;
    // Where the items' pictures come from (not owned; forgotten when destroyed).
    void SetImages(TCustomImageList* images) { images_ = images; }
    TCustomImageList* Images() const { return images_; }
    TMenuItem* Add(std::string name, std::string caption, std::function<void(TMenuItem&)> onClick = {})
    {
        return Items.Add(std::move(name), std::move(caption), std::move(onClick));
    }
    TMenuItem* FindItem(const std::string& name) const { return Items.FindItem(name); }

    // Runs on each opening, before the items are shown.
    std::function<void(TPopupMenu& sender)> OnPopup;

    // Shows the menu at a screen point and returns at once; the chosen item's
    // OnClick runs later from the event loop.
    void Popup(int x, int y);
    // The menu last shown (nullptr before the first Popup).
    QMenu* Menu() const { return menu_; }

    // Chooses an item as the user would, without showing anything: the
    // menu opens (OnPopup runs), then the item fires when it and every item
    // above it are visible and enabled. Returns whether it fired.
    bool Invoke(const std::string& name);

private:
    void Fill(QMenu& menu, const TMenuItem& parent);
    QPointer<QMenu> menu_;
    QPointer<TCustomImageList> images_;
};

} // namespace cf
