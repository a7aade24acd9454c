#include "controls/MessDlgs.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfSharedDraw.h"
#include "controls/DeRudaduZevari.h"
#include "platform/Label.h"
#include "platform/QtConvert.h"
#include "platform/Screen.h"
#include "platform/StockIcons.h"

#include <QApplication>
#include <QScreen>

namespace cf {

// ---------------------------------------------------------------- settings

namespace {

// Both looks use a bold 10-point face; only the face differs.
TFont DialogFont(const char* name)
{
    TFont f;
    f.Name = name;
    f.Size = 10;
    f.Style = fsBold;
    return f;
}

} // namespace

uint8_t DlgLanguage = dlEnglish;
bool DlgCaptionBorder = true;
bool DlgGradient = false;
TColor DlgGradientFrom = 0xEBB99D;
TColor DlgGradientTo = 0xFF953D;
bool DlgRounded = false;
int DlgRoundRadius = 15;
bool DlgUseFont = false;
TFont DlgFont = DialogFont("Verdana");
bool DlgGlossPanel = false;
TGlossPanelScheme DlgPanelScheme = TGlossPanelScheme::csSky;
bool DlgGlossButtons = false;
TGlossButtonScheme DlgButtonScheme = TGlossButtonScheme::csSky;
QPointer<QWidget> DlgCenterOver;
std::function<void(int)> DlgHelpHandler;

void ResetDialogLook()
{
    DlgLanguage = dlEnglish;
    DlgCaptionBorder = true;
    DlgGradient = false;
    DlgGradientFrom = 0xEBB99D;
    DlgGradientTo = 0xFF953D;
    DlgRounded = false;
    DlgRoundRadius = 15;
    DlgUseFont = false;
    DlgFont = DialogFont("Verdana");
    DlgGlossPanel = false;
    DlgPanelScheme = TGlossPanelScheme::csSky;
    DlgGlossButtons = false;
    DlgButtonScheme = TGlossButtonScheme::csSky;
    DlgCenterOver = nullptr;
}

void SetApplicationDialogLook()
{
    DlgLanguage = dlItalian;
    DlgCaptionBorder = false;
    DlgGradient = true;
    DlgGradientFrom = clNavy;
    DlgGradientTo = clBlack;
    DlgRounded = true;
    DlgRoundRadius = 40;
    DlgUseFont = true;
    DlgFont = DialogFont("Tahoma");
    DlgGlossPanel = true;
    DlgPanelScheme = TGlossPanelScheme::csSilver;
    DlgGlossButtons = true;
    DlgButtonScheme = TGlossButtonScheme::csSilver;
}

TSize DialogScreenSize()
{
    return {ScreenWidth(), ScreenHeight()};
}

namespace {

// The dialog's icon: a stock picture drawn over whatever lies under it.
class TDlgImage : public TGraphicControl {
public:
    TDlgImage(QWidget* parent, TBitmap picture) : TGraphicControl(parent), picture_(std::move(picture)) {}
    void Paint(TCanvas& canvas) override
    {
        DrawParentBackground(this, canvas);
        TDrawProvider::DrawAlphaGraphic(canvas, 0, 0, picture_);
    }

private:
    TBitmap picture_;
};

TBitmap DialogIcon(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return StockIcon(TStockIcon::siWarning);
    case mtError: return StockIcon(TStockIcon::siError);
    case mtInformation: return StockIcon(TStockIcon::siInformation);
    case mtConfirmation: return StockIcon(TStockIcon::siQuestion);
    case mtCustom: break;
    }
    return {};
}

const char* ButtonNames[MsgDlgBtnCount] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry",
                                           "Ignore", "All", "NoToAll", "YesToAll", "Help"};

void Name(QWidget* w, const std::string& name)
{
    if (auto* c = dynamic_cast<TControl*>(w))
        c->Name = name;
    w->setObjectName(QString::fromStdString(name));
}

// A gloss button or the plain push button, by the look settings.
TWinControl* MakeButton(QWidget* container, const std::string& caption, int modalResult, bool isDefault,
                        bool isCancel, const TFont& font)
{
    if (DlgGlossButtons) {
        auto* b = new TGlossButton(container);
        b->SetColorScheme(DlgButtonScheme);
        b->SetCaption(caption);
        b->ModalResult = modalResult;
        b->SetDefault(isDefault);
        b->Cancel = isCancel;
        b->Font = font;
        return b;
    }
    auto* b = new TCfButton(container);
    b->SetCaption(caption);
    b->ModalResult = modalResult;
    b->SetDefault(isDefault);
    b->Cancel = isCancel;
    b->Font = font;
    return b;
}

// Borderless or dialog frame; the rounded shape only without the panel.
void ApplyFrame(TMessageForm& f)
{
    f.SetBorderStyle(DlgCaptionBorder ? TFormBorderStyle::bsDialog : TFormBorderStyle::bsNone);
}

void ApplyRoundedShape(TMessageForm& f)
{
    if (!DlgRounded || DlgGlossPanel)
        return;
    // Our window size never includes a caption bar, so dropping the border
    // leaves the client area as it was laid out.
    f.SetBorderStyle(TFormBorderStyle::bsNone);
    f.SetWindowRegion(TRegion::FromRoundRect(TRect(0, 0, f.Width(), f.Height()), DlgRoundRadius, DlgRoundRadius));
}

TGlossPanel* MakePanel(TMessageForm& f, const char* name)
{
    auto* panel = new TGlossPanel(&f);
    if (name)
        Name(panel, name);
    panel->SetCaption("");
    panel->SetColorScheme(DlgPanelScheme);
    panel->Font = f.Font;
    panel->SetAlign(alClient);
    return panel;
}

void Place(QWidget* w, const TRect& r)
{
    if (auto* c = dynamic_cast<TControl*>(w))
        c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    else
        w->setGeometry(ToQRect(r));
}

} // namespace

// ---------------------------------------------------------------- TMessageForm

TMessageForm::TMessageForm() : TForm(nullptr)
{
    // The system's message font until the look asks for the dialog font.
    Font = MessageFont();
    gradient_ = DlgGradient && !DlgGlossPanel;
    if (DlgUseFont)
        Font = DlgFont;
    Position = TPosition::poDesigned;
}

void TMessageForm::HelpButtonClick()
{
    if (DlgHelpHandler)
        DlgHelpHandler(HelpContext);
}

void TMessageForm::PaintGradient(TCanvas& canvas)
{
    DrawMultiGradient(canvas, ClientRect(), false, {DlgGradientFrom, DlgGradientTo});
}

void TMessageForm::Paint(TCanvas& canvas)
{
    if (gradient_)
        PaintGradient(canvas);
    else
        TForm::Paint(canvas);
}

void TMessageForm::DoShow()
{
    activateWindow();
    if (ActiveControl)
        ActiveControl->setFocus(Qt::ActiveWindowFocusReason);
}

QWidget* TMessageForm::FindComponent(const std::string& name) const
{
    return findChild<QWidget*>(QString::fromStdString(name));
}

// ---------------------------------------------------------------- message dialog

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                                  int lang)
{
    auto form = std::make_unique<TMessageForm>();
    TMessageForm& f = *form;
    if (DlgUseFont)
        f.Font = DlgFont;
    QWidget* container = &f;
    TGlossPanel* panel = nullptr;
    if (DlgGlossPanel) {
        panel = MakePanel(f, "ThePanel");
        container = panel;
    }
    ApplyFrame(f);

    // The message is measured in the font it is drawn with.
    TFont textFont = DlgFont;
    if (panel)
        textFont.Color = panel->ColorDark();
    TCanvasTextMeasurer measurer(f.Font, textFont);
    TMessageLayout L = LayoutMessageDialog(measurer, msg, type, buttons, DialogScreenSize());

    f.SetClientSize(L.Client.cx, L.Client.cy);
    f.move(L.Position.X, L.Position.Y);
    f.Realign();

    if (type == mtCustom)
        f.SetCaption(QGuiApplication::applicationDisplayName().toStdString());
    else
        f.SetCaption(ShownDlgText(lang, 1 + int(type)));

    if (L.HasIcon) {
        auto* image = new TDlgImage(container, DialogIcon(type));
        Name(image, "Image");
        Place(image, L.Icon);
    }

    auto* label = new TLabel(container);
    Name(label, "Message");
    label->Font = textFont;
    label->SetShowAccelChar(false);
    label->SetTransparent(true);
    label->SetBreakLongWords(true);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(L.Message.Left, L.Message.Top, L.Message.Width(), 2 * L.Message.Height());
    label->SetCaption(msg);
    label->SetAutoSize(true);
    label->raise();

    TMsgDlgBtn defaultButton = mbOK, cancelButton = mbOK;
    bool hasDefault = DefaultButtonOf(L.Shown, defaultButton);
    bool hasCancel = CancelButtonOf(L.Shown, cancelButton);
    TMsgDlgBtn focusButton = InitialFocusButtonOf(L.Shown);
    for (const auto& [b, r] : L.Buttons) {
        TWinControl* button = MakeButton(container, ShownDlgText(lang, 6 + int(b)), MsgDlgButtonResult(b),
                                         hasDefault && b == defaultButton, hasCancel && b == cancelButton, f.Font);
        Name(button, ButtonNames[int(b)]);
        Place(button, r);
        if (b == mbHelp) {
            TMessageForm* owner = &f;
            button->OnClick = [owner](TControl*) { owner->HelpButtonClick(); };
        }
        if (b == focusButton)
            f.ActiveControl = button;
    }
    ApplyRoundedShape(f);
    return form;
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, QWidget* centerOver)
{
    DlgCenterOver = centerOver;
    return MessageDlgLang(msg, type, buttons, helpCtx, DlgLanguage);
}

int MessageDlgLang(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int lang)
{
    return MessageDlgPosHelp(msg, type, buttons, helpCtx, -1, -1, lang);
}

int MessageDlgPosHelp(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y,
                      int lang)
{
    std::unique_ptr<TMessageForm> f = CreateMessageDialog(msg, type, buttons, lang);
    f->HelpContext = helpCtx;
    if (DlgCenterOver) {
        QWidget* c = DlgCenterOver;
        f->move(c->x() + c->width() / 2 - f->Width() / 2, c->y() + c->height() / 2 - f->Height() / 2);
    } else {
        if (x >= 0)
            f->move(x, f->y());
        if (y >= 0)
            f->move(f->x(), y);
    }
    return f->ShowModal();
}

// ---------------------------------------------------------------- input query

std::unique_ptr<TMessageForm> CreateInputQueryDialog(const std::string& caption, const std::string& prompt,
                                                     const std::string& value, int lang)
{
    auto form = std::make_unique<TMessageForm>();
    TMessageForm& f = *form;
    ApplyFrame(f);
    f.SetCaption(caption);
    // Prompt and units are measured in the font the prompt is drawn with.
    TCanvasTextMeasurer measurer(f.Font, f.Font);
    TQueryLayout L = LayoutInputQuery(measurer, prompt, DialogScreenSize());
    f.SetClientSize(L.Client.cx, L.Client.cy);
    f.move(L.Position.X, L.Position.Y);

    QWidget* container = &f;
    if (DlgGlossPanel)
        container = MakePanel(f, nullptr);
    f.Realign();

    auto* label = new TLabel(container);
    label->Font = f.Font;
    label->SetShowAccelChar(false);
    label->SetTransparent(true);
    label->SetBounds(L.Prompt.Left, L.Prompt.Top, L.Prompt.Width(), L.Prompt.Height());
    label->SetCaption(prompt);
    Name(label, "Prompt");

    // The control set's own edit, framed and drawn as every other edit.
    auto* edit = new TCfEdit(container);
    Name(edit, "Edit");
    edit->SetFont(f.Font);
    // Typing stops at 255 characters; a longer value offered by the caller
    // is shown whole rather than cut behind the user's back.
    edit->SetMaxLength(std::max<int>(255, int(QString::fromStdString(value).size())));
    edit->SetText(value);
    edit->SelectAll();
    Place(edit, L.Edit);
    f.ActiveControl = edit;

    TWinControl* ok = MakeButton(container, "OK", mrOk, true, false, f.Font);
    Name(ok, "OK");
    Place(ok, L.Ok);
    TWinControl* cancel = MakeButton(container, ShownDlgText(lang, 0), mrCancel, false, true, f.Font);
    Name(cancel, "Cancel");
    Place(cancel, L.Cancel);
    ApplyRoundedShape(f);
    return form;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    return InputQueryLang(caption, prompt, value, DlgLanguage);
}

bool InputQueryDefault(const std::string& caption, const std::string& prompt, const std::string& defaultValue,
                       std::string& value)
{
    value = defaultValue;
    return InputQuery(caption, prompt, value);
}

bool InputQueryLang(const std::string& caption, const std::string& prompt, std::string& value, int lang)
{
    std::unique_ptr<TMessageForm> f = CreateInputQueryDialog(caption, prompt, value, lang);
    if (f->ShowModal() != mrOk)
        return false;
    value = dynamic_cast<TCfEdit*>(f->FindComponent("Edit"))->Text();
    return true;
}

// ---------------------------------------------------------------- service

int TDialogMessages::MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx)
{
    return cf::MessageDlg(msg, type, buttons, helpCtx, nullptr);
}

bool TDialogMessages::InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    return cf::InputQuery(caption, prompt, value);
}

void UseDialogMessages()
{
    static TDialogMessages service;
    SetMessageService(&service);
}

} // namespace cf
