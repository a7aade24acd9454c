#include "app/Configuration.h"

#include "controls/ScriptedMessages.h"
#include "platform/Registry.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace fs = std::filesystem;
using namespace cf;

namespace {

const std::vector<std::string> ProgramValues = {
    "TheLoadDir", "TheSaveDir", "RememberW", "MainW_Height", "MainW_Width", "MainW_Top", "MainW_Left",
    "PanelDX_Width", "PanelDX_T_Height", "Dec_Format", "ShowGrid", "ShowSplash", "ReadNew", "Languages",
    "SelectedProfile", "NoOfProfiles"};
const std::vector<std::string> ProfileSuffixes = {"PRO_Name", "PRO_Type", "PRO_Address", "PRO_User",
                                                  "PRO_Pwd", "PRO_Http_Port", "PRO_Ftp_Port", "PRO_Passive",
                                                  "PRO_Sdir", "PRO_Xdir"};

// Each case gets its own configuration file in its own scratch folder (the
// cases of this binary run in parallel).
class Configuration : public ::testing::Test {
protected:
    cftest::ScratchDir tmp;
    TScriptedMessages messages;
    TMessageServiceScope scope{messages};
    std::string home;

    void SetUp() override
    {
        setenv("CHANFORGE_CONFIG", (tmp / "config.ini").c_str(), 1);
        fs::create_directories(tmp / "home");
        home = (tmp / "home").string();
        setenv("HOME", home.c_str(), 1);
        ClearModel();
        messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter;
    }
    void TearDown() override { ClearModel(); }

    // Writes straight into the key, as an earlier run or an outside edit did.
    void Store(const std::function<void(TRegistry&)>& f)
    {
        TRegistry r;
        r.OpenKey(ConfigurationKey, true);
        f(r);
        r.Flush();
    }
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> r;
        for (const auto& e : messages.Log())
            r.push_back(e.Text);
        return r;
    }
};

TY_PROFILES NumberedProfile(int i)
{
    TY_PROFILES p;
    p.Name = "Box " + std::to_string(i);
    p.Type = 1 + i % 4;
    p.Address = "10.0.0." + std::to_string(i);
    p.User = "u" + std::to_string(i);
    p.Password = "p" + std::to_string(i);
    p.HttpPort = 8000 + i;
    p.FtpPort = 2100 + i;
    p.Passive = i % 2 == 0;
    p.PRO_Sdir = "/s" + std::to_string(i);
    p.PRO_Xdir = "/x" + std::to_string(i);
    return p;
}

TEST_F(Configuration, FirstStartWritesEveryValueAndTheSixProfiles)
{
    TRegistry reg;
    const auto report = GetConfiguration(reg);
    EXPECT_EQ(reg.CurrentPath(), "Software\\Chanforge");
    reg.Flush();

    TRegistry check;
    ASSERT_TRUE(check.KeyExists(ConfigurationKey));
    check.OpenKey(ConfigurationKey, false);
    std::set<std::string> names;
    for (const auto& n : check.GetValueNames())
        names.insert(n);
    for (const auto& v : ProgramValues)
        EXPECT_TRUE(names.count(v)) << v;
    int profileValues = 0;
    for (int i = 0; i < 6; ++i)
        for (const auto& s : ProfileSuffixes)
            profileValues += names.count("0" + std::to_string(i) + "_" + s) ? 1 : 0;
    EXPECT_EQ(profileValues, 60);
    EXPECT_EQ(names.size(), ProgramValues.size() + 60);
    EXPECT_EQ(check.ReadInteger("NoOfProfiles"), 6);
    EXPECT_EQ(check.ReadInteger("01_PRO_Type"), 4);
    EXPECT_EQ(check.ReadString("05_PRO_Sdir"), "/etc/enigma");
    EXPECT_TRUE(check.ReadBool("ShowSplash"));
    EXPECT_EQ(check.ReadString("Languages"), "English (United States)");
    EXPECT_EQ(check.ReadInteger("MainW_Width"), 1070);

    // In memory: the defaults of the table; the folders are the home folder.
    ASSERT_EQ(Profiles.size(), 6u);
    EXPECT_EQ(Profiles[0].Name, "Enigma 2.4 (Qbox-HD)");
    EXPECT_EQ(Profiles[0].Password, "fenrak");
    EXPECT_EQ(Profiles[1].Type, 4);
    EXPECT_EQ(Profiles[1].PRO_Xdir, "/var/etc");
    EXPECT_EQ(Profiles[3].Name, "Enigma 2.3 (Box 7025)");
    EXPECT_EQ(Profiles[3].Type, 2);
    for (const auto& p : Profiles) {
        EXPECT_EQ(p.Address, "127.0.0.1");
        EXPECT_EQ(p.User, "root");
        EXPECT_EQ(p.HttpPort, 80);
        EXPECT_EQ(p.FtpPort, 21);
        EXPECT_TRUE(p.Passive);
    }
    EXPECT_EQ(TheLoadDir, home);
    EXPECT_EQ(TheSaveDir, home);
    EXPECT_FALSE(RememberW);
    EXPECT_TRUE(ReadNew);
    EXPECT_TRUE(LanguageName.empty());
    EXPECT_EQ(MainGeometry, TMainGeometry{});
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(report.DefaultsWritten.size(), ProgramValues.size());
}

// The configuration cases after a first start: what is stored before, what
// memory and the key hold after.
struct StoredCase {
    const char* name;
    std::function<void(TRegistry&, const fs::path& tmp)> store;
    std::function<void(TRegistry& after, const std::vector<std::string>& messages, const std::string& home)> check;
};

const StoredCase StoredCases[] = {
    {"deleted load folder",
     [](TRegistry& r, const fs::path& tmp) {
         fs::create_directories(tmp / "kept");
         r.WriteString("TheLoadDir", (tmp / "gone").string());
         r.WriteString("TheSaveDir", (tmp / "kept").string());
     },
     [](TRegistry& r, const auto& msgs, const std::string& home) {
         EXPECT_EQ(TheLoadDir, home);
         EXPECT_EQ(r.ReadString("TheLoadDir"), home);
         EXPECT_EQ(fs::path(TheSaveDir).filename(), "kept");
         EXPECT_TRUE(msgs.empty());
     }},
    {"windows folder of an old configuration",
     [](TRegistry& r, const fs::path&) { r.WriteString("TheSaveDir", "C:\\"); },
     [](TRegistry& r, const auto&, const std::string& home) {
         EXPECT_EQ(TheSaveDir, home);
         EXPECT_EQ(r.ReadString("TheSaveDir"), home);
     }},
    {"eleven profiles",
     [](TRegistry& r, const fs::path&) {
         r.WriteInteger("NoOfProfiles", 11);
         for (int i = 0; i < 11; ++i)
             WriteProfile(r, i, NumberedProfile(i));
     },
     [](TRegistry& r, const auto& msgs, const std::string&) {
         ASSERT_EQ(Profiles.size(), 11u);
         EXPECT_EQ(Profiles[10], NumberedProfile(10));
         EXPECT_EQ(r.ReadString("0A_PRO_Name"), "Box 10");
         EXPECT_FALSE(r.ValueExists("10_PRO_Name"));
         EXPECT_TRUE(msgs.empty());
     }},
    {"no profiles",
     [](TRegistry& r, const fs::path&) { r.WriteInteger("NoOfProfiles", 0); },
     [](TRegistry& r, const auto& msgs, const std::string&) {
         EXPECT_TRUE(Profiles.empty());
         EXPECT_EQ(r.ReadInteger("NoOfProfiles"), 0);
         EXPECT_TRUE(msgs.empty());
     }},
    {"stored options are kept",
     [](TRegistry& r, const fs::path&) {
         r.WriteBool("RememberW", true);
         r.WriteInteger("MainW_Width", 800);
         r.WriteInteger("PanelDX_T_Height", 222);
         r.WriteBool("ReadNew", false);
         r.WriteString("Languages", "Deutsch");
         r.WriteInteger("SelectedProfile", 3);
     },
     [](TRegistry&, const auto&, const std::string&) {
         EXPECT_TRUE(RememberW);
         EXPECT_EQ(MainGeometry.Width, 800);
         EXPECT_EQ(MainGeometry.PanelDX_T_Height, 222);
         EXPECT_FALSE(ReadNew);
         EXPECT_EQ(LanguageName, "Deutsch");
         EXPECT_EQ(SelectedProfile, 3);
     }},
    {"damaged values read as their defaults and are written back",
     [](TRegistry& r, const fs::path&) {
         r.WriteString("MainW_Width", "wide");
         r.WriteString("RememberW", "yes");
         r.WriteInteger("TheLoadDir", 5);
         r.WriteInteger("Languages", 1);
     },
     [](TRegistry& r, const auto& msgs, const std::string& home) {
         EXPECT_EQ(MainGeometry.Width, 1070);
         EXPECT_EQ(r.ReadInteger("MainW_Width"), 1070);
         EXPECT_FALSE(RememberW);
         EXPECT_FALSE(r.ReadBool("RememberW"));
         EXPECT_EQ(TheLoadDir, home);
         EXPECT_EQ(r.ReadString("TheLoadDir"), home);
         EXPECT_EQ(r.ReadString("Languages"), "English (United States)");
         EXPECT_TRUE(msgs.empty());
     }},
    {"negative profile count counts as none",
     [](TRegistry& r, const fs::path&) { r.WriteInteger("NoOfProfiles", -4); },
     [](TRegistry&, const auto& msgs, const std::string&) {
         EXPECT_TRUE(Profiles.empty());
         EXPECT_TRUE(msgs.empty());
     }},
    {"a count beyond the stored profiles reads only those",
     [](TRegistry& r, const fs::path&) { r.WriteInteger("NoOfProfiles", 2000000000); },
     [](TRegistry&, const auto& msgs, const std::string&) {
         ASSERT_EQ(Profiles.size(), 6u);
         EXPECT_EQ(Profiles[5].Name, "Box 600");
         EXPECT_TRUE(msgs.empty());
     }},
    {"a profile with a missing number is skipped with one message",
     [](TRegistry& r, const fs::path&) {
         r.DeleteValue("03_PRO_Ftp_Port");
         r.WriteString("04_PRO_Passive", "true");
         r.DeleteValue("01_PRO_Name"); // a missing text reads as empty
     },
     [](TRegistry&, const auto& msgs, const std::string&) {
         ASSERT_EQ(Profiles.size(), 4u);
         EXPECT_EQ(Profiles[0].Name, "Enigma 2.4 (Qbox-HD)");
         EXPECT_EQ(Profiles[1].Name, "");
         EXPECT_EQ(Profiles[1].Type, 4);
         EXPECT_EQ(Profiles[2].Name, "Enigma 1 (Box 7000)");
         EXPECT_EQ(Profiles[3].Name, "Box 600");
         ASSERT_EQ(msgs.size(), 1u);
         EXPECT_NE(msgs[0].find("03, 04"), std::string::npos) << msgs[0];
     }},
};

TEST_F(Configuration, StoredCases)
{
    for (const auto& c : StoredCases) {
        SCOPED_TRACE(c.name);
        fs::remove(tmp / "config.ini");
        messages.Clear();
        {
            TRegistry first; // a first start, then the case's own edits
            GetConfiguration(first);
        }
        messages.Clear();
        Store([&](TRegistry& r) { c.store(r, tmp.path()); });
        ClearModel();
        TRegistry reg;
        GetConfiguration(reg);
        reg.Flush();
        c.check(reg, Errors(), home);
    }
}

TEST_F(Configuration, ProfilePrefixesAreTwoUpperCaseHexDigits)
{
    const std::pair<int, const char*> cases[] = {{0, "00_"}, {9, "09_"}, {10, "0A_"}, {15, "0F_"},
                                                 {16, "10_"}, {255, "FF_"}};
    for (const auto& [i, want] : cases)
        EXPECT_EQ(ProfilePrefix(i), want) << i;
}

} // namespace
