#include "platform/Menus.h"
#include "platform/SameText.h"

#include "platform/Errors.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

namespace cf {

TShortCut ShortCut(uint16_t key, TShiftState shift)
{
    TShortCut sc = key & 0xFF;
    if (shift & ssShift)
        sc |= scShift;
    if (shift & ssCtrl)
        sc |= scCtrl;
    if (shift & ssAlt)
        sc |= scAlt;
    return sc;
}

namespace {

std::string KeyName(uint16_t vk)
{
    struct Named { uint16_t vk; const char* name; };
    static constexpr Named names[] = {
        {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
        {VK_HOME, "Home"},  {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},  {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
    };
    for (const Named& n : names)
        if (n.vk == vk)
            return n.name;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, char(vk));
    if (vk >= VK_F1 && vk < VK_F1 + 24)
        return "F" + std::to_string(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return "Num " + std::to_string(vk - VK_NUMPAD0);
    static constexpr Named punct[] = {
        {VK_OEM_1, ";"}, {VK_OEM_PLUS, "="}, {VK_OEM_COMMA, ","}, {VK_OEM_MINUS, "-"}, {VK_OEM_PERIOD, "."},
        {VK_OEM_2, "/"}, {VK_OEM_3, "`"},    {VK_OEM_4, "["},     {VK_OEM_5, "\\"},    {VK_OEM_6, "]"},
        {VK_OEM_7, "'"}, {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"}, {VK_SUBTRACT, "Num -"},
        {VK_DIVIDE, "Num /"}, {VK_DECIMAL, "Num Del"},
    };
    for (const Named& n : punct)
        if (n.vk == vk)
            return n.name;
    return {};
}

QKeySequence ToQKeySequence(TShortCut sc)
{
    const int key = QtKeyOf(sc & 0xFF);
    if (!key)
        return {};
    int mods = 0;
    if (sc & scShift)
        mods |= Qt::SHIFT;
    if (sc & scCtrl)
        mods |= Qt::CTRL;
    if (sc & scAlt)
        mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

} // namespace

std::string ShortCutToText(TShortCut sc)
{
    std::string name = KeyName(sc & 0xFF);
    if (name.empty())
        return {};
    std::string text;
    if (sc & scShift)
        text += "Shift+";
    if (sc & scCtrl)
        text += "Ctrl+";
    if (sc & scAlt)
        text += "Alt+";
    return text + name;
}

// ---------------------------------------------------------------- items

TMenuItem& TMenuItem::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Menu index out of range (" + std::to_string(index) + ")");
    return *items_[size_t(index)];
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item)
{
    item->parent_ = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

TMenuItem* TMenuItem::Add(std::string name, std::string caption, std::function<void(TMenuItem&)> onClick)
{
    auto item = std::make_unique<TMenuItem>(std::move(name), std::move(caption));
    item->OnClick = std::move(onClick);
    return Add(std::move(item));
}

std::optional<std::string> TMenuItem::TextProperty(const std::string& name) const
{
    if (SameText(name, "Caption"))
        return Caption;
    return std::nullopt;
}

bool TMenuItem::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Caption"))
        return false;
    Caption = value;
    return true;
}

TMenuItem* TMenuItem::FindItem(const std::string& name) const
{
    for (const auto& item : items_) {
        if (!item->Name.empty() && SameText(item->Name, name))
            return item.get();
        if (TMenuItem* found = item->FindItem(name))
            return found;
    }
    return nullptr;
}

bool TMenuItem::Contains(const TMenuItem* item) const
{
    for (const auto& own : items_)
        if (own.get() == item || own->Contains(item))
            return true;
    return false;
}

void TMenuItem::Click()
{
    if (Enabled && OnClick)
        OnClick(*this);
}

// ---------------------------------------------------------------- pop-up menu

TPopupMenu::TPopupMenu(QObject* owner) : QObject(owner) {}

TPopupMenu::~TPopupMenu()
{
    delete menu_;
}

void TPopupMenu::Fill(QMenu& menu, const TMenuItem& parent)
{
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = &parent[i];
        QAction* action = nullptr;
        if (item->IsLine()) {
            action = menu.addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->Caption));
            Fill(*sub, *item);
            action = sub->menuAction();
        } else {
            action = menu.addAction(QString::fromStdString(item->Caption));
            action->setCheckable(item->Checked);
            action->setChecked(item->Checked);
            action->setShortcut(ToQKeySequence(item->ShortCut));
            // The shortcut is shown, not taken by Qt: the window decides which
            // keys reach a menu.
            action->setShortcutContext(Qt::WidgetShortcut);
            if (images_ && item->ImageIndex >= 0 && item->ImageIndex < images_->Count()) {
                TBitmap picture = images_->GetBitmap(item->ImageIndex);
                action->setIcon(QIcon(QPixmap::fromImage(picture.Image())));
            }
            // The item may be gone by the time the menu answers.
            QObject::connect(action, &QAction::triggered, this, [this, item] {
                if (Items.Contains(item))
                    item->Click();
            });
        }
        action->setObjectName(QString::fromStdString(item->Name));
        action->setEnabled(item->Enabled);
        action->setVisible(item->Visible);
    }
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(*this);
    // A handler may open the menu again from a choice of the old one.
    if (menu_) {
        menu_->hide();
        menu_->deleteLater();
    }
    menu_ = new QMenu(qobject_cast<QWidget*>(parent()));
    Fill(*menu_, Items);
    menu_->popup(QPoint(x, y));
}

bool TPopupMenu::Invoke(const std::string& name)
{
    if (OnPopup)
        OnPopup(*this);
    TMenuItem* item = Items.FindItem(name);
    if (!item || item->IsLine() || item->Count() > 0)
        return false;
    for (TMenuItem* i = item; i && i != &Items; i = i->Parent())
        if (!i->Visible || !i->Enabled)
            return false;
    const bool fires = item->OnClick != nullptr;
    item->Click(); // may remove the item
    return fires;
}

} // namespace cf
