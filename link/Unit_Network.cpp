#include "link/Unit_Network.h"

#include "settings/Unit_lib.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Network::TForm_Network(TNetworkHost& host, TNetworkUi* messages, QWidget* parent)
    : QDialog(parent), messages_(messages), link_(host, *this)
{
    setWindowTitle(QStringLiteral("Chanforge - Network"));
    setModal(true);
    resize(520, 420);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Label_Profile = new QLabel(QStringLiteral("Network operation will use  profile"), this);
    CB_Profile = new QComboBox(this);
    CfCb_Reload = new QCheckBox(QStringLiteral("Reload settings"), this);
    CfCb_Reload->setChecked(true);
    BitBtn_FTP_Read = new QPushButton(QStringLiteral("Read"), this);
    BitBtn_FTP_Write = new QPushButton(QStringLiteral("Write"), this);
    BitBtn_Exit = new QPushButton(QStringLiteral("Exit"), this);
    BitBtn_FTP_Read->setAutoDefault(false);
    BitBtn_FTP_Write->setAutoDefault(false);
    BitBtn_Exit->setAutoDefault(false);

    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(Label_Profile);
    profileRow->addWidget(CB_Profile, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CfCb_Reload);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn_FTP_Read);
    buttons->addWidget(BitBtn_FTP_Write);
    buttons->addWidget(BitBtn_Exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(profileRow);
    layout->addLayout(buttons);

    connect(BitBtn_FTP_Read, &QPushButton::clicked, this, [this] { BitBtn_FTP_ReadClick(); });
    connect(BitBtn_FTP_Write, &QPushButton::clicked, this, [this] { BitBtn_FTP_WriteClick(); });
    connect(BitBtn_Exit, &QPushButton::clicked, this, [this] { reject(); });

    link_.OnLog = [this](const std::string& line) { FTPStatus(line); };
}

TForm_Network::~TForm_Network()
{
    link_.OnLog = nullptr;
    link_.IdTelnet.OnStatus = nullptr;
    link_.IdTelnet.Disconnect();
    link_.FTP.OnStatus = nullptr;
}

int TForm_Network::ShowModal()
{
    return exec() == QDialog::Accepted ? 1 : 2;
}

void TForm_Network::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TForm_Network::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TForm_Network::FormShow()
{
    CB_Profile->clear();
    for (const auto& p : Profiles)
        CB_Profile->addItem(QString::fromStdString(p.Name));
    if (SelectedProfile >= 0 && SelectedProfile < CB_Profile->count())
        CB_Profile->setCurrentIndex(SelectedProfile);
    Memo1->clear();
    link_.ClearLog();
    link_.FTP.Disconnect();
}

void TForm_Network::FTPStatus(const std::string& text)
{
    Memo1->appendPlainText(QString::fromStdString(text));
}

bool TForm_Network::Connect2Rec()
{
    link_.ProfileIndex = CB_Profile->currentIndex();
    return link_.Connect2Rec();
}

void TForm_Network::BitBtn_FTP_ReadClick()
{
    link_.ProfileIndex = CB_Profile->currentIndex();
    if (link_.Read())
        accept();
}

void TForm_Network::BitBtn_FTP_WriteClick()
{
    link_.ProfileIndex = CB_Profile->currentIndex();
    link_.ReloadAfterWrite = CfCb_Reload->isChecked();
    link_.Write();
}

void TForm_Network::FormClose()
{
    link_.IdTelnet.Disconnect();
}

bool TForm_Network::AskYesNo(const std::string& text)
{
    if (messages_)
        return messages_->AskYesNo(text);
    return QMessageBox::question(this, windowTitle(), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TForm_Network::ShowError(const std::string& text)
{
    if (messages_) {
        messages_->ShowError(text);
        return;
    }
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(text));
}

void TForm_Network::ProcessMessages()
{
    // The log and the window repaint; the user cannot start a second
    // transfer in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm_Network::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
