#pragma once

#include "link/NetworkHost.h"

#include <functional>
#include <string>

// The receiver link's host over the settings folder drivers: saving and
// loading go through SaveFile and OpenFile, so a transfer reads and writes
// exactly what the Open and Save buttons do.
class TFolderNetworkHost : public TNetworkHost {
public:
    // Repaint of the main window and the developer form's log, when wired.
    std::function<void()> OnRepaint;
    std::function<void(const std::string&)> OnDebugLog;

    // Throws when the set could not be saved (the user was told already).
    void SaveFile() override;
    // Loads TheLoadDir, marking the services the receiver reported for this
    // very read (NewChannels) as new.
    void OpenFile() override;
    void Repaint() override;
    void CopyLogToDebug(const std::string& log) override;

    // What OpenFile gave: false when the folder could not be loaded and the
    // earlier set was put back.
    bool LastOpenSucceeded = false;
};
