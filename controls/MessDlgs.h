#pragma once

// The program's modal message boxes and one-line text prompts, built at run
// time from the look settings below. Most code reaches them through the
// message service (MessageService.h); UseDialogMessages installs these
// dialogs as that service.

#include "controls/CfSharedDraw.h"  // DrawMultiGradient, which PaintGradient uses
#include "controls/GlossButton.h"
#include "controls/GlossPanel.h"
#include "controls/MessDlgLayout.h"
#include "controls/MessDlgTexts.h"
#include "controls/MessageService.h"
#include "controls/MsgDlgTypes.h"
#include "platform/Forms.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>


namespace cf {

// ---- look settings, read each time a dialog is built
extern uint8_t DlgLanguage;
extern bool DlgCaptionBorder;
extern bool DlgGradient;
extern TColor DlgGradientFrom;
extern TColor DlgGradientTo;
extern bool DlgRounded;
extern int DlgRoundRadius;
extern bool DlgUseFont;
extern TFont DlgFont;
extern bool DlgGlossPanel;
extern TGlossPanelScheme DlgPanelScheme;
extern bool DlgGlossButtons;
extern TGlossButtonScheme DlgButtonScheme;
// The control the next MessageDlg is centred over (nullptr: none). Guarded,
// so a control destroyed since the last call is simply forgotten.
extern QPointer<QWidget> DlgCenterOver;

// The values the settings start with.
void ResetDialogLook();
// The editor's look: borderless, silver gloss panel and buttons, Tahoma 10
// bold, Italian.
void SetApplicationDialogLook();

// Asked by the Help button with the dialog's help context; nothing by default.
extern std::function<void(int helpContext)> DlgHelpHandler;

class TMessageForm : public TForm {
public:
    TMessageForm();
    int HelpContext = 0;
    // The control that takes the focus when the form is shown.
    QWidget* ActiveControl = nullptr;

    void HelpButtonClick();
    void PaintGradient(TCanvas& canvas);
    void Paint(TCanvas& canvas) override;
    void DoShow() override;

    // Finds a control by its component name.
    QWidget* FindComponent(const std::string& name) const;

private:
    bool gradient_ = false;
};

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                                  int lang);
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0,
               QWidget* centerOver = nullptr);
int MessageDlgLang(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int lang);
int MessageDlgPosHelp(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y,
                      int lang);

// The input query's form before it is shown; its edit box is the TCfEdit "Edit".
std::unique_ptr<TMessageForm> CreateInputQueryDialog(const std::string& caption, const std::string& prompt,
                                                     const std::string& value, int lang);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
bool InputQueryDefault(const std::string& caption, const std::string& prompt, const std::string& defaultValue,
                       std::string& value);
bool InputQueryLang(const std::string& caption, const std::string& prompt, std::string& value, int lang);

// The dialogs above as the program's message service.
class TDialogMessages : public TMessageService {
public:
    int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
};

// Installs one TDialogMessages for the rest of the run.
void UseDialogMessages();

// Screen size the dialogs are laid out for.
TSize DialogScreenSize();

} // namespace cf
