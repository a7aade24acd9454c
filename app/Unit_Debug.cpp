#include "app/Unit_Debug.h"

#include "app/Configuration.h"
#include "controls/CfButton.h"
#include "controls/CfPanel.h"
#include "controls/MessageService.h"
#include "dbexport/MySQLDataset.h"
#include "dbexport/MySQLServer.h"
#include "app/SatelliteExport.h"
#include "platform/Label.h"
#include "platform/Memo.h"
#include "platform/Registry.h"
#include "settings/Unit_lib.h"

#include <exception>

using namespace cf;

TForm_Debug* Form_Debug = nullptr;

TForm_Debug::TForm_Debug(QWidget* owner)
    : TForm(owner), MySQLServer1(std::make_unique<TMySQLServer>()), MySQLDataset1(std::make_unique<TMySQLDataset>())
{
    Form_Debug = this;
    Name = "Form_Debug";
    SetCaption("Form_Debug");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetStayOnTop(true);
    Position = TPosition::poMainFormCenter;
    SetClientSize(690, 370);
    Color = clWindow;
    TFont f = Font;
    f.Name = "Tahoma";
    f.SetHeight(-13);
    f.Style = fsBold;
    Font = f;

    CfPanel1 = new TCfPanel(this);
    CfPanel1->Name = "CfPanel1";
    CfPanel1->SetBounds(0, 0, 690, 370);
    CfPanel1->SetAlign(alClient);
    CfPanel1->SetColor(clBtnFace);
    CfPanel1->InnerMargins().SetMargins(0, 0, 0, 0);
    CfPanel1->SetAdaptiveColors(false);

    Label1 = new TLabel(CfPanel1);
    Label1->Name = "Label1";
    Label1->SetCaption("LOG");
    Label1->SetTransparent(true);
    Label1->Font = f;
    Label1->FontChanged();
    Label1->SetBounds(24, 12, 30, 16);

    RE = new TMemo(CfPanel1);
    RE->Name = "RE";
    RE->SetBounds(20, 102, 653, 255);
    RE->SetReadOnly(true);
    RE->SetScrollBars(ssVertical);
    RE->SetFont(f);

    Button1 = new TCfButton(CfPanel1);
    Button1->Name = "Button1";
    Button1->Font = f;
    Button1->SetCaption("Button1");
    Button1->SetBounds(26, 48, 75, 25);
    Button1->OnClick = [this](TControl*) { Button1Click(); };

    MySQLDataset1->SetServer(MySQLServer1.get());
    LoadServerSettings();
}

TForm_Debug::~TForm_Debug()
{
    MySQLDataset1.reset();
    MySQLServer1.reset();
    if (Form_Debug == this)
        Form_Debug = nullptr;
}

void TForm_Debug::LoadServerSettings()
{
    std::string host = "localhost", user = "root", password, database = "afs";
    int port = 3306;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ConfigurationKey)) {
        auto text = [&](const char* name, std::string& v) {
            if (reg.ValueExists(name))
                v = reg.ReadString(name);
        };
        text(DebugDbHostValue, host);
        text(DebugDbUserValue, user);
        text(DebugDbPasswordValue, password);
        text(DebugDbNameValue, database);
        if (reg.ValueExists(DebugDbPortValue)) {
            try {
                port = reg.ReadInteger(DebugDbPortValue);
            } catch (const std::exception&) {
            }
        }
    }
    MySQLServer1->SetHost(host);
    MySQLServer1->SetPort(static_cast<uint16_t>(port > 0 && port < 65536 ? port : 3306));
    MySQLServer1->SetUserName(user);
    MySQLServer1->SetPassword(password);
    MySQLServer1->SetDatabaseName(database);
}

void TForm_Debug::AddAline(const std::string& line)
{
    RE->Lines().Add(line);
}

void TForm_Debug::Button1Click()
{
    try {
        ExportSatellites(*MySQLDataset1, Satellites, [this](const std::string& l) { AddAline(l); });
    } catch (const std::exception& e) {
        // What the class library's default handler did: the message, nothing more.
        Messages().ShowError(e.what());
    }
}
