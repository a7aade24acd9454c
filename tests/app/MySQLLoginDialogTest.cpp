// The database login dialog: its texts and limits, OK taking the values
// back, Cancel leaving them.

#include "app/MySQLLoginDialog.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MySQLLoginDialog, TextsAndLimits)
{
    TMySQLLoginDialog d;
    EXPECT_EQ(d.Caption(), "Database Login");
    EXPECT_EQ(d.Label_Server->Caption(), "Server:");
    EXPECT_EQ(d.Label_Port->Caption(), "Port:");
    EXPECT_EQ(d.Label_User->Caption(), "&User Name:");
    EXPECT_EQ(d.Label_Password->Caption(), "&Password:");
    EXPECT_EQ(d.Button_OK->Caption(), "&OK");
    EXPECT_TRUE(d.Button_OK->Default());
    EXPECT_EQ(d.Button_Cancel->Caption(), "Cancel");
    EXPECT_EQ(d.Edit_Port->MaxLength(), 5);
    EXPECT_EQ(d.Edit_User->MaxLength(), 31);
    EXPECT_EQ(d.Edit_Password->MaxLength(), 31);
    EXPECT_EQ(d.Edit_Password->PasswordChar(), U'*');
    char32_t letter = 'a', digit = '7';
    d.Edit_Port->OnKeyPress(d.Edit_Port, letter);
    d.Edit_Port->OnKeyPress(d.Edit_Port, digit);
    EXPECT_EQ(letter, 0u);
    EXPECT_EQ(digit, U'7');
}

TEST(MySQLLoginDialog, OkTakesTheValuesCancelLeavesThem)
{
    TMySQLLoginValues v{"db.local", "3307", "me", "old"};
    {
        TMySQLLoginDialog d;
        QTimer::singleShot(100, [&] {
            EXPECT_EQ(d.Edit_Server->Text(), "db.local");
            EXPECT_EQ(d.Edit_Port->Text(), "3307");
            EXPECT_EQ(d.Edit_User->Text(), "me");
            EXPECT_EQ(d.Edit_Password->Text(), "");
            d.Edit_Password->SetText("typed");
            d.Button_OK->Click();
        });
        EXPECT_TRUE(d.Execute(v));
    }
    EXPECT_EQ(v.Password, "typed");
    EXPECT_EQ(v.Host, "db.local");
    {
        TMySQLLoginDialog d;
        QTimer::singleShot(100, [&] {
            d.Edit_Password->SetText("never");
            d.Button_Cancel->Click();
        });
        EXPECT_FALSE(d.Execute(v));
    }
    EXPECT_EQ(v.Password, "typed");
}

} // namespace
