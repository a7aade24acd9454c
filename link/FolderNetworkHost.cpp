#include "link/FolderNetworkHost.h"

#include "settings/FolderIO.h"
#include "settings/MessageTexts.h"
#include "settings/Unit_lib.h"

#include <stdexcept>

void TFolderNetworkHost::SaveFile()
{
    if (!::SaveFile())
        throw std::runtime_error(LoadRsFmt(rs::SettingsNotSavedInto, {TheSaveDir}));
}

void TFolderNetworkHost::OpenFile()
{
    LastOpenSucceeded = ::OpenFile(&NewChannels);
}

void TFolderNetworkHost::Repaint()
{
    if (OnRepaint)
        OnRepaint();
}

void TFolderNetworkHost::CopyLogToDebug(const std::string& log)
{
    if (OnDebugLog)
        OnDebugLog(log);
}
