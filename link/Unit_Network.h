#pragma once

#include "link/NetworkHost.h"
#include "link/NetworkLink.h"
#include "platform/Forms.h"

namespace cf {
class TCfButton;
class TCfCheckBox;
class TCfComboBox;
class TCfLabel;
class TMemo;
} // namespace cf

// The network window: moves the settings set between the editor and a
// receiver and shows the conversation in its log. The work is done by
// TNetworkLink; the window chooses the profile, shows the log and serves
// the message queue while the link waits for the receiver.
//
// Questions and error boxes go through `messages` when given, otherwise
// through the installed message service (the program's own dialogs).
class TForm_Network : public cf::TForm, private TNetworkUi {
public:
    TForm_Network(TNetworkHost& host, TNetworkUi* messages = nullptr, QWidget* parent = nullptr);
    ~TForm_Network() override;

    TNetworkLink& Link() { return link_; }

    // Components, named as the form names them.
    cf::TMemo* Memo1 = nullptr;
    cf::TCfLabel* Label_Profile = nullptr;
    cf::TCfComboBox* CB_Profile = nullptr;
    cf::TCfCheckBox* CfCb_Reload = nullptr;
    cf::TCfButton* BitBtn_FTP_Read = nullptr;
    cf::TCfButton* BitBtn_FTP_Write = nullptr;
    cf::TCfButton* BitBtn_Exit = nullptr;

    void FormShow();
    void FTPStatus(const std::string& text);
    bool Connect2Rec();
    void BitBtn_FTP_ReadClick();
    void BitBtn_FTP_WriteClick();
    void FormClose();

    void DoShow() override { FormShow(); }
    void DoClose(cf::TCloseAction& action) override;

private:
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ProcessMessages() override;
    void SetBusy(bool busy) override;

    TNetworkUi* messages_;
    TNetworkLink link_;
};
