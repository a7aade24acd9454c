#pragma once

#include <string>

// What a transfer needs from the main window: it owns the settings set and
// turns it into a folder and back. The receiver link never reads or writes
// settings files itself.
class TNetworkHost {
public:
    virtual ~TNetworkHost() = default;
    // Writes the set into TheSaveDir in the format EnigmaVersion, with the
    // paths of profile SaveProfile; sets Modified false. Throws on failure.
    virtual void SaveFile() = 0;
    // Loads the folder TheLoadDir as the current set.
    virtual void OpenFile() = 0;
    // The version shown in the main window changed.
    virtual void Repaint() {}
    // The developer form keeps a copy of the last transfer's log.
    virtual void CopyLogToDebug(const std::string& /*log*/) {}
};

// What a transfer needs from the dialog it runs in: questions, messages, the
// busy cursor and serving the message queue between steps.
class TNetworkUi {
public:
    virtual ~TNetworkUi() = default;
    // A confirmation with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The error box with an OK button.
    virtual void ShowError(const std::string& text) = 0;
    // Repaint and serve the message queue (no user input).
    virtual void ProcessMessages() {}
    virtual void SetBusy(bool /*busy*/) {}
};
