#include "link/Unit_Network.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/MessageService.h"
#include "link/ProfileChoice.h"
#include "platform/Memo.h"
#include "settings/Unit_lib.h"

#include <QApplication>

using namespace cf;

TForm_Network::TForm_Network(TNetworkHost& host, TNetworkUi* messages, QWidget* parent)
    : TForm(parent), messages_(messages), link_(host, *this)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption("Chanforge - Network");
    Position = TPosition::poScreenCenter;
    SetClientSize(520, 420);

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetReadOnly(true);
    Memo1->SetScrollBars(ssVertical);
    Memo1->SetBounds(8, 8, 504, 300);

    Label_Profile = new TCfLabel(this);
    Label_Profile->Name = "Label_Profile";
    Label_Profile->SetCaption("Network operation will use  profile");
    Label_Profile->SetBounds(8, 322, 200, 16);
    CB_Profile = new TCfComboBox(this);
    CB_Profile->Name = "CB_Profile";
    CB_Profile->SetStyle(TDropDownStyle::dsDropDownList);
    CB_Profile->SetBounds(216, 318, 296, 24);

    CfCb_Reload = new TCfCheckBox(this);
    CfCb_Reload->Name = "CfCb_Reload";
    CfCb_Reload->SetCaption("Reload settings");
    CfCb_Reload->SetBorderStyle(TBorderStyle::bsNone); // framed only as a grid's cell editor
    CfCb_Reload->Color = clBtnFace;
    CfCb_Reload->SetBounds(8, 384, 140, 21);
    CfCb_Reload->SetOptions(coExpandActiveRect); // the caption toggles too
    CfCb_Reload->SetChecked(true);

    BitBtn_FTP_Read = new TCfButton(this);
    BitBtn_FTP_Read->Name = "BitBtn_FTP_Read";
    BitBtn_FTP_Read->SetCaption("Read");
    BitBtn_FTP_Read->SetBounds(272, 382, 75, 25);
    BitBtn_FTP_Write = new TCfButton(this);
    BitBtn_FTP_Write->Name = "BitBtn_FTP_Write";
    BitBtn_FTP_Write->SetCaption("Write");
    BitBtn_FTP_Write->SetBounds(354, 382, 75, 25);
    BitBtn_Exit = new TCfButton(this);
    BitBtn_Exit->Name = "BitBtn_Exit";
    BitBtn_Exit->SetCaption("Exit");
    BitBtn_Exit->SetBounds(437, 382, 75, 25);
    BitBtn_Exit->ModalResult = mrCancel;
    BitBtn_Exit->Cancel = true;

    BitBtn_FTP_Read->OnClick = [this](TControl*) { BitBtn_FTP_ReadClick(); };
    BitBtn_FTP_Write->OnClick = [this](TControl*) { BitBtn_FTP_WriteClick(); };

    link_.OnLog = [this](const std::string& line) { FTPStatus(line); };
}

TForm_Network::~TForm_Network()
{
    link_.OnLog = nullptr;
    link_.IdTelnet.OnStatus = nullptr;
    link_.IdTelnet.Disconnect();
    link_.FTP.OnStatus = nullptr;
}

void TForm_Network::DoClose(TCloseAction& action)
{
    FormClose();
    TForm::DoClose(action);
}

void TForm_Network::FormShow()
{
    ShowProfileChoice(*CB_Profile);
    Memo1->Lines().Clear();
    link_.ClearLog();
    link_.FTP.Disconnect();
}

void TForm_Network::FTPStatus(const std::string& text)
{
    Memo1->Lines().Add(text);
}

bool TForm_Network::Connect2Rec()
{
    link_.ProfileIndex = CB_Profile->ItemIndex();
    return link_.Connect2Rec();
}

void TForm_Network::BitBtn_FTP_ReadClick()
{
    link_.ProfileIndex = CB_Profile->ItemIndex();
    if (link_.Read())
        SetModalResult(mrOk);
}

void TForm_Network::BitBtn_FTP_WriteClick()
{
    link_.ProfileIndex = CB_Profile->ItemIndex();
    link_.ReloadAfterWrite = CfCb_Reload->Checked();
    link_.Write();
}

void TForm_Network::FormClose()
{
    link_.IdTelnet.Disconnect();
}

bool TForm_Network::AskYesNo(const std::string& text)
{
    return messages_ ? messages_->AskYesNo(text) : Messages().Confirm(text);
}

void TForm_Network::ShowError(const std::string& text)
{
    if (messages_)
        messages_->ShowError(text);
    else
        Messages().ShowError(text);
}

void TForm_Network::ProcessMessages()
{
    // The log and the window repaint; the user cannot start a second
    // transfer in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm_Network::SetBusy(bool busy)
{
    // Qt stacks the override cursor, so a reload inside a read keeps the
    // hourglass until the read ends.
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
