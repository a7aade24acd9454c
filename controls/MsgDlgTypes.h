#pragma once

// Dialog types, buttons and button sets of the message dialogs, with the
// rules that pick a dialog's default and cancel buttons. Free of Qt so that
// the settings and link code can ask questions without the widget library.

#include <cstdint>
#include <initializer_list>

namespace cf {

enum class TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using enum TMsgDlgType;

// Left-to-right order of the buttons in a dialog.
enum class TMsgDlgBtn : uint8_t {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};
using enum TMsgDlgBtn;
constexpr int MsgDlgBtnCount = 11;

// A set of buttons, one bit per TMsgDlgBtn.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (TMsgDlgBtn b : buttons)
            bits_ = uint16_t(bits_ | Bit(b));
    }
    constexpr bool Contains(TMsgDlgBtn b) const { return (bits_ & Bit(b)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr int Count() const
    {
        int n = 0;
        for (uint16_t v = bits_; v; v = uint16_t(v & (v - 1)))
            ++n;
        return n;
    }
    constexpr uint16_t Bits() const { return bits_; }
    constexpr TMsgDlgButtons operator|(TMsgDlgButtons o) const { return FromBits(uint16_t(bits_ | o.bits_)); }
    static constexpr TMsgDlgButtons FromBits(uint16_t bits)
    {
        TMsgDlgButtons s;
        s.bits_ = uint16_t(bits & 0x7FF);
        return s;
    }
    friend constexpr bool operator==(TMsgDlgButtons, TMsgDlgButtons) = default;

private:
    static constexpr uint16_t Bit(TMsgDlgBtn b) { return uint16_t(1u << unsigned(b)); }
    uint16_t bits_ = 0;
};

constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// Modal result of each button: OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5,
// Yes 6, No 7, All 8, NoToAll 9, YesToAll 10; Help closes nothing (0).
constexpr int MsgDlgButtonResult(TMsgDlgBtn b)
{
    constexpr int results[MsgDlgBtnCount] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
    return results[unsigned(b)];
}

// A dialog must always be closable: one asked for without buttons gets OK.
constexpr TMsgDlgButtons EffectiveButtons(TMsgDlgButtons buttons)
{
    return buttons.Empty() ? TMsgDlgButtons{mbOK} : buttons;
}

// Enter answers with the default button: OK, else Yes, else Retry, when in
// the set. Returns false when none of them is.
constexpr bool DefaultButtonOf(TMsgDlgButtons buttons, TMsgDlgBtn& out)
{
    for (TMsgDlgBtn b : {mbOK, mbYes, mbRetry})
        if (buttons.Contains(b)) {
            out = b;
            return true;
        }
    return false;
}

// Esc answers with the cancel button: Cancel, else No, else OK, when in the set.
constexpr bool CancelButtonOf(TMsgDlgButtons buttons, TMsgDlgBtn& out)
{
    for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
        if (buttons.Contains(b)) {
            out = b;
            return true;
        }
    return false;
}

// The button that has the focus when the dialog opens: the default button,
// else the leftmost one.
constexpr TMsgDlgBtn InitialFocusButtonOf(TMsgDlgButtons buttons)
{
    buttons = EffectiveButtons(buttons);
    TMsgDlgBtn b = mbOK;
    if (DefaultButtonOf(buttons, b))
        return b;
    for (int i = 0; i < MsgDlgBtnCount; ++i)
        if (buttons.Contains(TMsgDlgBtn(i)))
            return TMsgDlgBtn(i);
    return mbOK;
}

} // namespace cf
