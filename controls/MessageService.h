#pragma once

// The one door through which the program shows messages and asks for text.
// The editor installs the real dialogs at start (UseDialogMessages in
// MessDlgs.h); tests install a TScriptedMessages that answers from a script
// and records every text. Free of Qt: any library may include it without
// linking the controls.

#include "controls/MsgDlgTypes.h"

#include <stdexcept>
#include <string>

namespace cf {

class TMessageService {
public:
    virtual ~TMessageService() = default;

    // Shows msg and returns the modal result of the button that closed it
    // (Yes 6, No 7, OK 1, Cancel 2, ...).
    virtual int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0) = 0;

    // One-line prompt: true after OK with value holding the edited text
    // (at most 255 characters); false after Cancel or Esc with value unchanged.
    virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) = 0;

    // value := defaultValue, then as InputQuery (so Cancel leaves the default).
    bool InputQueryDefault(const std::string& caption, const std::string& prompt, const std::string& defaultValue,
                           std::string& value)
    {
        value = defaultValue;
        return InputQuery(caption, prompt, value);
    }

    // The program's three kinds of message.
    bool Confirm(const std::string& msg) { return MessageDlg(msg, mtConfirmation, {mbYes, mbNo}) == 6; }
    void ShowError(const std::string& msg) { MessageDlg(msg, mtError, {mbOK}); }
    void ShowInformation(const std::string& msg) { MessageDlg(msg, mtInformation, {mbOK}); }
};

namespace detail {
inline TMessageService*& InstalledMessageService()
{
    static TMessageService* service = nullptr;
    return service;
}
} // namespace detail

// Installs the service (not owned); nullptr removes it.
inline void SetMessageService(TMessageService* service)
{
    detail::InstalledMessageService() = service;
}

inline bool HasMessageService()
{
    return detail::InstalledMessageService() != nullptr;
}

// The installed service. Asking before one is installed is a programming
// error, reported rather than answered silently.
inline TMessageService& Messages()
{
    TMessageService* s = detail::InstalledMessageService();
    if (!s)
        throw std::logic_error("No message service installed");
    return *s;
}

// Installs a service for the lifetime of the scope and puts the previous one back.
class TMessageServiceScope {
public:
    explicit TMessageServiceScope(TMessageService& service) : previous_(detail::InstalledMessageService())
    {
        SetMessageService(&service);
    }
    ~TMessageServiceScope() { SetMessageService(previous_); }
    TMessageServiceScope(const TMessageServiceScope&) = delete;
    TMessageServiceScope& operator=(const TMessageServiceScope&) = delete;

private:
    TMessageService* previous_;
};

} // namespace cf
