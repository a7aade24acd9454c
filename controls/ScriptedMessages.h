#pragma once

// A message service for tests: answers from a script, in order, as a user
// would with the keys or buttons of the real dialogs, and records every
// message and prompt it was shown. A step that cannot happen in the real
// dialog (a button that is not there, Esc where nothing closes, a prompt
// answered with a message button) throws std::logic_error, so a script that
// has gone out of step with the program fails loudly.

#include "controls/MessageService.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace cf {

class TScriptedMessages : public TMessageService {
public:
    enum class TKind { Message, Query };

    struct TEntry {
        TKind Kind = TKind::Message;
        std::string Text;  // the message, or the prompt of a query
        TMsgDlgType Type = mtCustom;
        TMsgDlgButtons Buttons;
        int HelpCtx = 0;
        std::string Caption;  // query only
        std::string Offered;  // query only: the value the edit box opened with
        int Result = 0;       // modal result (a query: 1 OK, 2 Cancel)
        std::string Answer;   // query only: the value after the dialog
    };

    // What happens when the script has run out.
    enum class TUnscripted { PressEnter, PressEscape, Fail };
    TUnscripted Unscripted = TUnscripted::PressEnter;

    // ---- script steps, consumed one per dialog
    // The button whose modal result this is (for a query: 1 OK, 2 Cancel).
    TScriptedMessages& Answer(int modalResult) { return Push({Step::Result, modalResult, {}}); }
    TScriptedMessages& PressEnter() { return Push({Step::Enter, 0, {}}); }
    TScriptedMessages& PressEscape() { return Push({Step::Escape, 0, {}}); }
    // Query: the user types text (cut to the edit box's 255 characters) and presses OK.
    TScriptedMessages& AnswerQuery(const std::string& text) { return Push({Step::Text, 1, text}); }
    TScriptedMessages& CancelQuery() { return Push({Step::Result, 2, {}}); }

    bool ScriptDone() const { return script_.empty(); }
    const std::vector<TEntry>& Log() const { return log_; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const TEntry& e : log_)
            out.push_back(e.Text);
        return out;
    }
    void Clear()
    {
        log_.clear();
        script_.clear();
    }

    int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0) override
    {
        TEntry e;
        e.Kind = TKind::Message;
        e.Text = msg;
        e.Type = type;
        e.Buttons = buttons;
        e.HelpCtx = helpCtx;
        TMsgDlgButtons shown = EffectiveButtons(buttons);
        Step s = Next("message \"" + msg + "\"");
        TMsgDlgBtn b = mbOK;
        switch (s.kind) {
        case Step::Enter: e.Result = MsgDlgButtonResult(InitialFocusButtonOf(shown)); break;
        case Step::Escape:
            if (!CancelButtonOf(shown, b))
                Fail("Esc does not close the message \"" + msg + "\"");
            e.Result = MsgDlgButtonResult(b);
            break;
        case Step::Result: {
            bool found = false;
            for (int i = 0; i < MsgDlgBtnCount && !found; ++i)
                found = shown.Contains(TMsgDlgBtn(i)) && MsgDlgButtonResult(TMsgDlgBtn(i)) == s.result &&
                        TMsgDlgBtn(i) != mbHelp;
            if (!found)
                Fail("no button answers " + std::to_string(s.result) + " in the message \"" + msg + "\"");
            e.Result = s.result;
            break;
        }
        case Step::Text: Fail("a typed answer was scripted for the message \"" + msg + "\""); break;
        }
        log_.push_back(e);
        return e.Result;
    }

    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override
    {
        TEntry e;
        e.Kind = TKind::Query;
        e.Text = prompt;
        e.Caption = caption;
        e.Offered = value;
        Step s = Next("query \"" + prompt + "\"");
        switch (s.kind) {
        case Step::Enter: e.Result = 1; break;
        case Step::Escape: e.Result = 2; break;
        case Step::Result:
            if (s.result != 1 && s.result != 2)
                Fail("a query answers only OK (1) or Cancel (2)");
            e.Result = s.result;
            break;
        case Step::Text:
            e.Result = 1;
            value = LimitTo255(s.text);
            break;
        }
        e.Answer = value;
        log_.push_back(e);
        return e.Result == 1;
    }

    // The edit box's limit: 255 UTF-16 units of the text.
    static std::string LimitTo255(const std::string& text)
    {
        size_t i = 0;
        int units = 0;
        while (i < text.size()) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            int u = len == 4 ? 2 : 1;
            if (units + u > 255)
                break;
            units += u;
            i += len;
        }
        return text.substr(0, std::min(i, text.size()));
    }

private:
    struct Step {
        enum Kind { Result, Enter, Escape, Text } kind;
        int result;
        std::string text;
    };

    TScriptedMessages& Push(Step s)
    {
        script_.push_back(std::move(s));
        return *this;
    }

    Step Next(const std::string& what)
    {
        if (!script_.empty()) {
            Step s = script_.front();
            script_.pop_front();
            return s;
        }
        switch (Unscripted) {
        case TUnscripted::PressEnter: return {Step::Enter, 0, {}};
        case TUnscripted::PressEscape: return {Step::Escape, 0, {}};
        case TUnscripted::Fail: break;
        }
        Fail("unscripted " + what);
        return {Step::Enter, 0, {}};
    }

    [[noreturn]] static void Fail(const std::string& why) { throw std::logic_error(why); }

    std::deque<Step> script_;
    std::vector<TEntry> log_;
};

} // namespace cf
