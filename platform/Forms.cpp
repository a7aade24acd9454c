#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/SameText.h"

#include "platform/QtConvert.h"

#include <QApplication>

#include <algorithm>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>

namespace cf {

TForm::TForm(QWidget* owner) : TWinControl(owner)
{
    setWindowFlag(Qt::Window, true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_DeleteOnClose, false);
    ApplyFlags();
}

void TForm::ApplyFlags()
{
    Qt::WindowFlags f = Qt::Window;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: f |= Qt::FramelessWindowHint; break;
    case TFormBorderStyle::bsDialog:
        f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case TFormBorderStyle::bsSingle:
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
        break;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin: f = Qt::Tool; break;
    case TFormBorderStyle::bsSizeable: break;
    }
    if (stayOnTop_)
        f |= Qt::WindowStaysOnTopHint;
    bool shown = isVisible();
    setWindowFlags(f);
    if (shown)
        show();
}

void TForm::SetBorderStyle(TFormBorderStyle s)
{
    borderStyle_ = s;
    ApplyFlags();
}

void TForm::SetStayOnTop(bool on)
{
    stayOnTop_ = on;
    ApplyFlags();
}

void TForm::CentreOnScreen()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect a = s->availableGeometry();
    move(a.x() + (a.width() - width()) / 2, a.y() + (a.height() - height()) / 2);
}

void TForm::CentreOver(QWidget* other)
{
    if (!other) {
        CentreOnScreen();
        return;
    }
    QWidget* w = other->window();
    QRect g = w->frameGeometry();
    move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
}

void TForm::SetWindowRegion(const TRegion& r)
{
    shape_ = r;
    if (r.IsEmpty())
        clearMask();
    else
        setMask(r.qregion());
}

void TForm::SetAlphaBlend(bool on, int value)
{
    setWindowOpacity(on ? std::clamp(value, 0, 255) / 255.0 : 1.0);
}

void TForm::SetTransparentColor(bool on, TColor key)
{
    colourKey_ = on;
    keyColour_ = key;
    if (!on)
        SetWindowRegion(shape_);
    Invalidate();
}

void TForm::ApplyColourKey()
{
    if (!colourKey_)
        return;
    const QImage& img = BackBuffer();
    uint32_t key = ToPixel(keyColour_) & 0xFFFFFFu;
    QRegion keep;
    for (int y = 0; y < img.height(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && (row[x] & 0xFFFFFFu) == key)
                ++x;
            int start = x;
            while (x < img.width() && (row[x] & 0xFFFFFFu) != key)
                ++x;
            if (x > start)
                keep += QRect(start, y, x - start, 1);
        }
    }
    if (!shape_.IsEmpty())
        keep = keep.intersected(shape_.qregion());
    setMask(keep);
}

void TForm::paintEvent(QPaintEvent* e)
{
    TControl::paintEvent(e);
    ApplyColourKey();
}

void TForm::Show()
{
    if (Position == TPosition::poScreenCenter)
        CentreOnScreen();
    else if (Position == TPosition::poOwnerFormCenter || Position == TPosition::poMainFormCenter)
        CentreOver(parentWidget());
    show();
}

void TForm::Hide()
{
    hide();
}

void TForm::showEvent(QShowEvent* e)
{
    qApp->installEventFilter(this);
    DoShow();
    if (OnShow)
        OnShow(this);
    TWinControl::showEvent(e);
}

TModalResult TForm::ShowModal()
{
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    Show();
    QEventLoop loop;
    loop_ = &loop;
    inModal_ = true;
    if (modalResult_ == mrNone && isVisible())
        loop.exec();
    inModal_ = false;
    loop_ = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::SetModalResult(TModalResult r)
{
    modalResult_ = r;
    if (!inModal_ || r == mrNone)
        return;
    if (!CloseQuery()) {
        modalResult_ = mrNone;
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) {
        modalResult_ = mrNone;
        return;
    }
    if (loop_)
        loop_->quit();
}

void TForm::Close()
{
    close();
}

bool TForm::CloseQuery()
{
    bool can = true;
    if (OnCloseQuery)
        OnCloseQuery(this, can);
    return can;
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TForm::closeEvent(QCloseEvent* e)
{
    if (!CloseQuery()) {
        e->ignore();
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) {
        e->ignore();
        return;
    }
    qApp->removeEventFilter(this);
    if (inModal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        if (loop_)
            loop_->quit();
    }
    e->accept();
}

bool TForm::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->window() != this || !isVisible())
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    const TShiftState shift = ShiftStateOf(k->modifiers(), 0);
    uint16_t vk = VirtualKeyOf(*k);
    if (KeyPreview && w != this) {
        if (vk != 0) {
            KeyDown(vk, shift);
            if (vk == 0)
                return true;
        }
        bool swallowed = false;
        for (char32_t ch : k->text().toUcs4()) {
            char32_t c = ch;
            KeyPress(c);
            if (c == 0)
                swallowed = true;
        }
        if (swallowed)
            return true;
    }
    if (vk != VK_RETURN && vk != VK_ESCAPE)
        return false;
    if (dispatchingClaimed_)
        return false;
    if (FormKeyClaimant(w, vk, shift)) {
        // Delivered here and now, so that the controls it passes through on
        // its way up (Qt hands an unused key to the parent) do not offer it
        // to the buttons after all.
        dispatchingClaimed_ = true;
        QApplication::sendEvent(w, e);
        dispatchingClaimed_ = false;
        return true;
    }
    // TControl has no meta-object of its own, so findChildren<TControl*> would
    // hand out every widget (a QLineEdit too): cast each one properly.
    for (QWidget* child : findChildren<QWidget*>())
        if (auto* c = dynamic_cast<TControl*>(child);
            c && c->window() == this && c->isVisible() && c->isEnabled() && c->DialogKey(vk, shift))
            return true;
    return DialogKey(vk, shift);
}

TControl* FormKeyClaimant(QWidget* focus, uint16_t key, TShiftState shift)
{
    if (!focus)
        return nullptr;
    QWidget* window = focus->window();
    for (QWidget* p = focus; p && p != window; p = p->parentWidget())
        if (auto* c = dynamic_cast<TControl*>(p); c && c->ClaimsDialogKey(key, shift))
            return c;
    return nullptr;
}

TTranslatable* TForm::FindComponent(const std::string& name)
{
    if (name.empty())
        return nullptr;
    // No meta-object of our own classes: findChildren would match any
    // QObject, so each child is asked with dynamic_cast.
    for (QWidget* child : findChildren<QWidget*>()) {
        auto* c = dynamic_cast<TControl*>(child);
        if (c && SameText(c->Name, name) && GetParentForm(c) == this)
            return c;
    }
    // Menus made with the form as owner count as its components too.
    std::vector<TPopupMenu*> menus = menus_;
    for (QObject* child : findChildren<QObject*>()) {
        auto* menu = dynamic_cast<TPopupMenu*>(child);
        if (menu && std::find(menus.begin(), menus.end(), menu) == menus.end())
            menus.push_back(menu);
    }
    for (TPopupMenu* menu : menus) {
        if (SameText(menu->Name, name))
            return nullptr; // the menu itself carries no text
        if (TMenuItem* item = menu->FindItem(name))
            return item;
    }
    return nullptr;
}

TForm* GetParentForm(QWidget* control)
{
    return control ? dynamic_cast<TForm*>(control->window()) : nullptr;
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace cf
