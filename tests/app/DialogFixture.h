#pragma once

// The program's windows on a copy of the real multisat set, for the tests
// of the dialogs the main window opens: messages answered from a script,
// and a way to act inside a modal dialog the way a user would while it
// runs its own loop.

#include "app/AppForms.h"
#include "app/Unit_Main.h"
#include "controls/ScriptedMessages.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace cftest {

class DialogFixture : public ::testing::Test {
protected:
    ScratchDir tmp;
    cf::TScriptedMessages messages;
    cf::TMessageServiceScope scope{messages};
    cf::TMemoryClipboard clipboard{0x21};
    cf::TScriptedFileDialogs files;
    std::unique_ptr<TAppForms> forms;
    TForm_Main* m = nullptr;
    std::filesystem::path set;

    void SetUp() override
    {
        setenv("CHANFORGE_CONFIG", (tmp / "config.ini").c_str(), 1);
        std::filesystem::create_directories(tmp / "home");
        setenv("HOME", (tmp / "home").c_str(), 1);
        ClearModel();
        cf::SetClipboard(&clipboard);
        cf::SetFileDialogs(&files);
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::PressEnter;
        forms = std::make_unique<TAppForms>();
        m = &forms->Main();
        m->setWindowState(Qt::WindowNoState);
        m->SetBounds(0, 0, 1270, 760);
        m->Show();
        set = tmp / "multisat";
        std::filesystem::create_directories(set);
        std::filesystem::copy(RealSet("enigma2-v4-multisat"), set, std::filesystem::copy_options::recursive);
        TheLoadDir = set.string();
        ASSERT_TRUE(VerFile() && OpenFile());
        messages.Clear();
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override
    {
        Modified = false;
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::PressEnter;
        forms.reset();
        cf::SetFileDialogs(nullptr);
        cf::SetClipboard(nullptr);
        ClearModel();
    }

    // Runs `open` (which shows a modal dialog) and, once the dialog runs
    // its loop, `inside`; a test that forgets to close the dialog fails
    // instead of hanging.
    static void WhileModal(cf::TForm& dialog, const std::function<void()>& open, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
            if (dialog.Modal() && dialog.ModalResult() == cf::mrNone) {
                ADD_FAILURE() << "the dialog was left open";
                dialog.SetModalResult(cf::mrAbort);
            }
        });
        open();
        EXPECT_TRUE(ran);
    }

    static std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    // Index of the first service named `name` (fails the test when none).
    static std::int32_t ServiceNamed(const std::string& name)
    {
        for (std::size_t i = 0; i < Services.size(); ++i)
            if (Services[i].Name == name)
                return static_cast<std::int32_t>(i);
        ADD_FAILURE() << "no service " << name;
        return -1;
    }

    // Selects the row of LV_Serv that shows service `index`.
    void SelectService(std::int32_t index)
    {
        const int row = m->JumpToChNo(Services[static_cast<std::size_t>(index)].Number);
        ASSERT_GE(row, 0);
        m->SelectRowQuietly(*m->LV_Serv, row);
    }

    // Saves the set into `name` under the scratch folder and loads it again.
    std::filesystem::path SaveAndReload(const std::string& name)
    {
        TheSaveDir = (tmp / name).string();
        std::filesystem::create_directories(TheSaveDir);
        EXPECT_TRUE(SaveFile());
        TheLoadDir = TheSaveDir;
        EXPECT_TRUE(VerFile() && OpenFile());
        return tmp / name;
    }
};

} // namespace cftest
