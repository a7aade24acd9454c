#pragma once

// A test of the program's windows with a configuration file and a home
// folder of its own (tests run side by side and must not read each other's
// settings), messages answered from a script that fails on any message the
// test did not expect, and an empty model before and after.

#include "common/TestData.h"
#include "controls/ScriptedMessages.h"
#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace cftest {

class OwnConfigTest : public ::testing::Test {
protected:
    ScratchDir tmp;
    cf::TScriptedMessages messages;
    cf::TMessageServiceScope scope{messages};

    void SetUp() override
    {
        setenv("CHANFORGE_CONFIG", (tmp / "config.ini").c_str(), 1);
        std::filesystem::create_directories(tmp / "home");
        setenv("HOME", (tmp / "home").c_str(), 1);
        ClearModel();
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override { ClearModel(); }
};

} // namespace cftest
