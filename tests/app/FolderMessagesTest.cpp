// The folder drivers' questions and errors as the user meets them in the
// message dialogs: each answer scripted the way a user would give it, and
// what the drivers then do.

#include "folder_io/FolderTestSupport.h"

#include "controls/ScriptedMessages.h"
#include "app/FolderMessages.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace cftest;
using cf::TScriptedMessages;

namespace {

class FolderMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModel();
        SetFolderUi({nullptr, &dialogs, nullptr});
        messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override
    {
        SetFolderUi({});
        ClearModel();
    }
    fs::path Copy(const std::string& fixture, const std::string& name)
    {
        fs::path dir = tmp / name;
        CopyTree(Fixture(fixture), dir);
        return dir;
    }
    static bool IsErrorBox(const TScriptedMessages::TEntry& e)
    {
        return e.Kind == TScriptedMessages::TKind::Message && e.Type == cf::mtError &&
               e.Buttons == cf::TMsgDlgButtons{cf::mbOK};
    }
    static bool IsYesNoQuestion(const TScriptedMessages::TEntry& e)
    {
        return e.Kind == TScriptedMessages::TKind::Message && e.Type == cf::mtConfirmation &&
               e.Buttons == (cf::TMsgDlgButtons{cf::mbYes, cf::mbNo});
    }

    cftest::ScratchDir tmp;
    TMessageFolderDialogs dialogs;
    TScriptedMessages messages;
    cf::TMessageServiceScope scope{messages};
};

} // namespace

TEST_F(FolderMessages, AFolderWithoutSettingsIsRefusedInTheErrorBox)
{
    fs::create_directory(tmp / "empty");
    WriteBytes(tmp / "empty" / "services", "x\n"); // no bouquets, no lamedb
    TheLoadDir = (tmp / "empty").string();
    messages.PressEnter();
    EXPECT_FALSE(VerFile());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, "File(s) not found : cannot proceed");
    EXPECT_TRUE(IsErrorBox(messages.Log()[0]));
    EXPECT_TRUE(messages.ScriptDone());
}

TEST_F(FolderMessages, TheErrorReportIsShownOnceWithItsExactText)
{
    messages.PressEnter();
    ASSERT_TRUE(LoadFolder(Copy("v2", "in")));
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_TRUE(IsErrorBox(messages.Log()[0]));
    EXPECT_EQ(messages.Log()[0].Text, " Error report\n\n"
                                      "\n- Some channels in services not loaded (no tp reference)"
                                      "\n- File <satellites.xml> not found : only the sat in settings willl be used"
                                      "\n\n All errors were fixed");
}

TEST_F(FolderMessages, ACleanLoadShowsNothing)
{
    // The v4 fixture has every file and no fault: any message would fail the script.
    ASSERT_TRUE(LoadFolder(Copy("v4", "in")));
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(FolderMessages, NoToTheFormatQuestionWritesNothing)
{
    ASSERT_TRUE(LoadFolder(Copy("v4", "in")));
    fs::path out = Copy("v2", "out");
    const auto before = FolderContents(out);
    Modified = true;
    TheSaveDir = out.string();
    SaveProfile = 0; // an Enigma 1 receiver, while an Enigma 2.4 set is loaded

    messages.Answer(7);
    EXPECT_FALSE(SaveForProfile());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_TRUE(IsYesNoQuestion(messages.Log()[0]));
    EXPECT_EQ(messages.Log()[0].Text, "Loaded file is ENIGMA 2.4\xC2\xA0" "but you are saving ENIGMA.Are you sure ?");
    EXPECT_EQ(FolderContents(out), before);
    EXPECT_EQ(EnigmaVersion, 4);
    EXPECT_TRUE(Modified);

    // Esc on the question is No as well.
    messages.PressEscape();
    EXPECT_FALSE(SaveForProfile());
    EXPECT_EQ(FolderContents(out), before);

    // Yes writes the receiver's format.
    messages.Answer(6);
    EXPECT_TRUE(SaveForProfile());
    EXPECT_EQ(EnigmaVersion, 2);
    EXPECT_FALSE(Modified);
    EXPECT_TRUE(fs::exists(out / "services"));
    EXPECT_FALSE(fs::exists(out / "lamedb"));
    EXPECT_TRUE(messages.ScriptDone());
}

TEST_F(FolderMessages, SavingForTheLoadedFormatAsksNothing)
{
    const struct {
        int profile, loaded, written;
        const char* servicesFile;
    } cases[] = {
        {2, 4, 4, "lamedb"}, // Enigma 2.4 receiver
        {3, 5, 5, "services"}, // a type 4 receiver keeps the loaded version (QB-One, Enigma 1 names)
    };
    for (const auto& c : cases) {
        ResetModel();
        SetFolderUi({nullptr, &dialogs, nullptr});
        ASSERT_TRUE(LoadFolder(Copy("v" + std::to_string(c.loaded), "in" + std::to_string(c.profile))));
        fs::path out = tmp / ("out" + std::to_string(c.profile));
        fs::create_directory(out);
        TheSaveDir = out.string();
        SaveProfile = c.profile;
        EXPECT_TRUE(SaveForProfile());
        EXPECT_EQ(EnigmaVersion, c.written);
        EXPECT_TRUE(fs::exists(out / c.servicesFile));
    }
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(FolderMessages, NothingToSaveWithoutServices)
{
    fs::path out = tmp / "out";
    fs::create_directory(out);
    TheSaveDir = out.string();
    SaveProfile = 0;
    SetEnigmaVer(4);
    EXPECT_FALSE(SaveForProfile());
    EXPECT_TRUE(fs::is_empty(out));
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(FolderMessages, AFailedSaveIsReportedAndTheVersionKept)
{
    ASSERT_TRUE(LoadFolder(Copy("v4", "in")));
    TheSaveDir = (tmp / "gone").string();
    SaveProfile = 1; // Enigma 2.3: the version would change for the save
    messages.Answer(6).PressEnter();
    EXPECT_FALSE(SaveForProfile());
    ASSERT_EQ(messages.Log().size(), 2u);
    EXPECT_TRUE(IsErrorBox(messages.Log()[1]));
    EXPECT_EQ(messages.Log()[1].Text, "The folder " + (tmp / "gone").string() + " does not exist : nothing was saved");
    EXPECT_EQ(EnigmaVersion, 4);
    EXPECT_EQ(ServicesFileName, "lamedb");
}

TEST_F(FolderMessages, UnsavedChangesAreConfirmedBeforeTheyAreLost)
{
    // Nothing to lose: no question.
    Modified = false;
    EXPECT_TRUE(ConfirmLosingChanges());
    EXPECT_TRUE(messages.Log().empty());

    Modified = true;
    messages.Answer(7).PressEscape().Answer(6);
    EXPECT_FALSE(ConfirmLosingChanges());
    EXPECT_FALSE(ConfirmLosingChanges());
    EXPECT_TRUE(ConfirmLosingChanges());
    ASSERT_EQ(messages.Log().size(), 3u);
    for (const auto& e : messages.Log()) {
        EXPECT_EQ(e.Text, "Your changes have not been saved : Proceeed anyway ?");
        EXPECT_TRUE(IsYesNoQuestion(e));
    }
    EXPECT_TRUE(Modified) << "asking changes nothing";
}

TEST_F(FolderMessages, WithoutDialogsNothingIsAskedAndNothingLost)
{
    SetFolderUi({});
    Modified = true;
    EXPECT_FALSE(ConfirmLosingChanges());
    SetEnigmaVer(4);
    EXPECT_FALSE(ConfirmSaveFormat(0));
    EXPECT_TRUE(messages.Log().empty());
}
