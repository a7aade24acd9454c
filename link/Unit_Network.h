#pragma once

#include "link/NetworkHost.h"
#include "link/NetworkLink.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The network window: moves the settings set between the editor and a
// receiver and shows the conversation in its log. The work is done by
// TNetworkLink; the window chooses the profile, shows the log and serves
// the message queue while the link waits for the receiver.
//
// Questions and error boxes go through `messages` when given (the program's
// own message dialogs), otherwise through plain Qt message boxes.
class TForm_Network : public QDialog, private TNetworkUi {
public:
    TForm_Network(TNetworkHost& host, TNetworkUi* messages = nullptr, QWidget* parent = nullptr);
    ~TForm_Network() override;

    // Shows the window modally: 1 (OK) after a successful read, else 2.
    int ShowModal();

    TNetworkLink& Link() { return link_; }

    // Components, named as the form names them.
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label_Profile = nullptr;
    QComboBox* CB_Profile = nullptr;
    QCheckBox* CfCb_Reload = nullptr;
    QPushButton* BitBtn_FTP_Read = nullptr;
    QPushButton* BitBtn_FTP_Write = nullptr;
    QPushButton* BitBtn_Exit = nullptr;

    void FormShow();
    void FTPStatus(const std::string& text);
    bool Connect2Rec();
    void BitBtn_FTP_ReadClick();
    void BitBtn_FTP_WriteClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ProcessMessages() override;
    void SetBusy(bool busy) override;

    TNetworkUi* messages_;
    TNetworkLink link_;
};
