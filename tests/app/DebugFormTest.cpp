// The developer form: its layout, its server settings from the
// configuration, the export by its button against a real server on
// 127.0.0.1, and a failure shown as a message without the password.

#include "app/Configuration.h"
#include "app/Unit_Debug.h"
#include "common/TestData.h"
#include "controls/CfButton.h"
#include "controls/ScriptedMessages.h"
#include "dbexport/MariaServer.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"
#include "platform/Label.h"
#include "platform/Memo.h"
#include "platform/Registry.h"
#include "settings/SatellitesXml.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using namespace cftest;

// The tests of this file run in parallel processes: each gets a
// configuration file of its own, so one test's server settings never reach
// another's form.
void UseOwnConfig()
{
    static std::string base = std::getenv("CHANFORGE_CONFIG") ? std::getenv("CHANFORGE_CONFIG") : "debug-form";
    const std::string own = base + "." + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ::setenv("CHANFORGE_CONFIG", own.c_str(), 1);
}

void WriteSettings(const std::string& password, const std::string& db)
{
    cf::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(ConfigurationKey, true));
    reg.WriteString(DebugDbHostValue, "127.0.0.1");
    reg.WriteInteger(DebugDbPortValue, SharedMaria().port);
    reg.WriteString(DebugDbUserValue, kUserNew);
    reg.WriteString(DebugDbPasswordValue, password);
    reg.WriteString(DebugDbNameValue, db);
}

void ClearSettings()
{
    cf::TRegistry reg;
    if (reg.OpenKey(ConfigurationKey, false))
        for (const char* v : {DebugDbHostValue, DebugDbPortValue, DebugDbUserValue, DebugDbPasswordValue, DebugDbNameValue})
            reg.DeleteValue(v);
}

TEST(DebugForm, LayoutAndDefaults)
{
    UseOwnConfig();
    ClearSettings();
    TForm_Debug f;
    EXPECT_EQ(f.Caption(), "Form_Debug");
    EXPECT_EQ(f.ClientWidth(), 690);
    EXPECT_EQ(f.ClientHeight(), 370);
    EXPECT_TRUE(f.StayOnTop());
    EXPECT_EQ(f.Label1->Caption(), "LOG");
    EXPECT_EQ(f.Label1->Left(), 24);
    EXPECT_EQ(f.Label1->Top(), 12);
    EXPECT_EQ(f.Button1->Left(), 26);
    EXPECT_EQ(f.Button1->Top(), 48);
    EXPECT_EQ(f.Button1->Width(), 75);
    EXPECT_EQ(f.Button1->Height(), 25);
    EXPECT_EQ(f.RE->Left(), 20);
    EXPECT_EQ(f.RE->Top(), 102);
    EXPECT_EQ(f.RE->Width(), 653);
    EXPECT_EQ(f.RE->Height(), 255);
    EXPECT_TRUE(f.RE->ReadOnly());
    // No one's server or password built in.
    EXPECT_EQ(f.MySQLServer1->Host(), "localhost");
    EXPECT_EQ(f.MySQLServer1->Password(), "");
    EXPECT_EQ(f.MySQLServer1->DatabaseName(), "afs");
    EXPECT_EQ(f.MySQLServer1->Port(), 3306);
    EXPECT_EQ(f.MySQLDataset1->Server(), f.MySQLServer1.get());
    f.AddAline("one");
    f.AddAline("two");
    EXPECT_EQ(f.RE->Lines().Count(), 2);
    EXPECT_EQ(f.RE->Lines()[1], "two");
}

TEST(DebugForm, ButtonExportsTheLoadedSatellites)
{
    UseOwnConfig();
    TMySQLServer admin;
    admin.SetHost("127.0.0.1");
    admin.SetPort(static_cast<uint16_t>(SharedMaria().port));
    admin.SetUserName(kUserNew);
    admin.SetPassword(kPassNew);
    admin.Execute(std::vector<std::string>{
        "drop database if exists cf_form;", "create database cf_form;", "use cf_form;",
        "create table satellites (id int auto_increment primary key, name varchar(100), position varchar(10));",
        "create table transponders (id int auto_increment primary key, sat_id int, frequency int,"
        " polarity varchar(1), symbolrate int, fec varchar(10), inversion varchar(10), system varchar(10),"
        " modulation varchar(10), rolloff varchar(12), pilot varchar(10));"});
    std::ifstream in(RealSet("enigma2-v4-multisat") / "satellites.xml", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    Satellites.clear();
    std::vector<std::string> problems;
    ParseSatellitesXml(ss.str(), Satellites, problems);
    ASSERT_EQ(Satellites.size(), 45u);

    WriteSettings(kPassNew, "cf_form");
    TForm_Debug f;
    cf::TScriptedMessages messages;
    cf::SetMessageService(&messages);
    f.Show();
    // A click on the button as a user makes it.
    const QPointF at(30, 12);
    QMouseEvent press(QEvent::MouseButtonPress, at, f.Button1->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(f.Button1, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, f.Button1->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(f.Button1, &release);
    cf::SetMessageService(nullptr);
    EXPECT_TRUE(messages.Texts().empty());
    ASSERT_EQ(f.RE->Lines().Count(), 45);
    EXPECT_EQ(f.RE->Lines()[0], Satellites[0].PositionText);

    TMySQLDataset check;
    check.SetServer(&admin);
    check.SetSQLText("select (select count(*) from cf_form.satellites), (select count(*) from cf_form.transponders)");
    check.Open();
    EXPECT_EQ(check.Fields[0]->AsInteger(), 45);
    EXPECT_EQ(check.Fields[1]->AsInteger(), 1156);
    check.Close();
    admin.Execute("drop database cf_form");
    Satellites.clear();
}

TEST(DebugForm, FailureIsShownWithoutThePassword)
{
    UseOwnConfig();
    WriteSettings("not-the-secret-123", "cf_db");
    TForm_Debug f;
    Satellites.assign(1, TY_ENIG_SAT{"Astra", 0, "019.2E", 192, {}});
    cf::TScriptedMessages messages;
    cf::SetMessageService(&messages);
    f.Button1Click();
    cf::SetMessageService(nullptr);
    ASSERT_EQ(messages.Texts().size(), 1u);
    const std::string m = messages.Texts()[0];
    EXPECT_EQ(m.rfind("[1045] ", 0), 0u) << m;
    EXPECT_EQ(m.find("not-the-secret-123"), std::string::npos);
    EXPECT_EQ(messages.Log()[0].Type, cf::mtError);
    EXPECT_FALSE(f.MySQLServer1->Connected());
    EXPECT_EQ(f.RE->Lines().Count(), 1); // the position line went out before the failure
    Satellites.clear();
    ClearSettings();
}

} // namespace
