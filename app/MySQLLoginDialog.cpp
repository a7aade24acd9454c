#include "app/MySQLLoginDialog.h"

#include "app/LcUnit.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"

using namespace cf;

namespace {

TCfLabel* LoginLabel(QWidget* parent, const char* name, const char* text, int top)
{
    auto* l = new TCfLabel(parent);
    l->Name = name;
    l->SetCaption(text);
    l->SetBounds(12, top + 3, 80, 16);
    return l;
}

TCfEdit* Edit(QWidget* parent, const char* name, int top, int width, int maxLength)
{
    auto* e = new TCfEdit(parent);
    e->Name = name;
    e->SetBounds(96, top, width, 22);
    e->SetMaxLength(maxLength);
    return e;
}

} // namespace

TMySQLLoginDialog::TMySQLLoginDialog(QWidget* owner) : TForm(owner)
{
    Name = "MySQLLoginDialog";
    SetCaption("Database Login");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(290, 160);

    Label_Server = LoginLabel(this, "Label_Server", "Server:", 12);
    Label_Port = LoginLabel(this, "Label_Port", "Port:", 40);
    Label_User = LoginLabel(this, "Label_User", "&User Name:", 68);
    Label_Password = LoginLabel(this, "Label_Password", "&Password:", 96);
    Edit_Server = Edit(this, "Edit_Server", 12, 182, 0);
    Edit_Port = Edit(this, "Edit_Port", 40, 60, 5);
    // The port takes digits only.
    Edit_Port->OnKeyPress = [](TControl*, char32_t& key) {
        if (key >= 32 && (key < '0' || key > '9'))
            key = 0;
    };
    Edit_User = Edit(this, "Edit_User", 68, 182, 31);
    Edit_Password = Edit(this, "Edit_Password", 96, 182, 31);
    Edit_Password->SetPasswordChar(U'*');

    Button_OK = new TCfButton(this);
    Button_OK->Name = "Button_OK";
    Button_OK->SetCaption("&OK");
    Button_OK->SetBounds(116, 128, 75, 25);
    Button_OK->SetDefault(true);
    Button_OK->ModalResult = mrOk;
    Button_Cancel = new TCfButton(this);
    Button_Cancel->Name = "Button_Cancel";
    Button_Cancel->SetCaption("Cancel");
    Button_Cancel->SetBounds(203, 128, 75, 25);
    Button_Cancel->Cancel = true;
    Button_Cancel->ModalResult = mrCancel;
}

bool TMySQLLoginDialog::Execute(TMySQLLoginValues& values)
{
    Edit_Server->SetText(values.Host);
    Edit_Port->SetText(values.Port);
    Edit_User->SetText(values.UserName);
    Edit_Password->SetText("");
    OnShow = [this](TForm*) { Edit_Password->SetFocus(); };
    if (ShowModal() != mrOk)
        return false;
    values.Host = Edit_Server->Text();
    values.Port = Edit_Port->Text();
    values.UserName = Edit_User->Text();
    values.Password = Edit_Password->Text();
    return true;
}

void InstallMySQLLoginDialog()
{
    MySQLLoginDialog = [](TMySQLLoginValues& values) {
        // Made when asked for, so it takes the active language then.
        TMySQLLoginDialog dialog;
        TranslateForm(dialog);
        return dialog.Execute(values);
    };
}
