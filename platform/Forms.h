#pragma once

// Top-level windows with the class library's modal loop and results.

#include "platform/Controls.h"
#include "platform/Region.h"

#include <functional>
#include <string>
#include <vector>

class QEventLoop;

namespace cf {

class TPopupMenu;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TWinControl {
public:
    explicit TForm(QWidget* owner = nullptr);

    // Shows the form modally and returns its ModalResult. Setting ModalResult
    // to a non-zero value ends the loop; closing the window gives mrCancel.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r);
    bool Modal() const { return inModal_; }

    void Show();
    void Hide();
    void Close();  // asks CloseQuery first, as closing by the window frame does

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool on);
    TPosition Position = TPosition::poDesigned;
    void CentreOnScreen();
    void CentreOver(QWidget* other);
    // Window shape (pixels outside are not part of the window); nullptr-like
    // empty region removes the shape.
    void SetWindowRegion(const TRegion& r);
    // Whole-window translucency 0..255 (AlphaBlend) and a colour key
    // (TransparentColorValue) whose pixels drop out of the window shape.
    void SetAlphaBlend(bool on, int value = 255);
    void SetTransparentColor(bool on, TColor key);

    // Called before the window closes; return false to keep it open.
    virtual bool CloseQuery();
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow() {}
    std::function<void(TForm*, bool&)> OnCloseQuery;
    std::function<void(TForm*, TCloseAction&)> OnClose;
    std::function<void(TForm*)> OnShow;

    // The component of this name (case-blind): a control on the form, a
    // registered pop-up menu or one of its items; nullptr when none.
    TTranslatable* FindComponent(const std::string& name);
    // Makes a pop-up menu and its items components of the form.
    void RegisterMenu(TPopupMenu& menu) { menus_.push_back(&menu); }

    // Key preview: the form's KeyDown/KeyPress see keys before the focused control.
    bool KeyPreview = false;
    // Return and Escape that no control claims (TControl::ClaimsDialogKey,
    // FormKeyClaimant) are offered to every control of the form (DialogKey),
    // then to the form itself.

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void ApplyFlags();
    void ApplyColourKey();
    TModalResult modalResult_ = mrNone;
    bool inModal_ = false;
    QEventLoop* loop_ = nullptr;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    bool stayOnTop_ = false;
    bool dispatchingClaimed_ = false;
    bool colourKey_ = false;
    TColor keyColour_ = clNone;
    TRegion shape_;
    std::vector<TPopupMenu*> menus_;
};

// The form a control sits on (nullptr when none).
TForm* GetParentForm(QWidget* control);

// The key-claim rule (see TControl::ClaimsDialogKey): the control that gets
// the dialog key `key` as an ordinary key, found from the widget that has
// the keyboard focus (a control's own inner widget counts as that control)
// up through the controls it sits in, stopping at its window. nullptr when
// none claims it: the key is then the form's dialog key.
TControl* FormKeyClaimant(QWidget* focus, uint16_t key, TShiftState shift);

// Runs pending events without user input (the class library's
// ProcessMessages as the program uses it during long fills).
void ProcessMessages();

} // namespace cf
