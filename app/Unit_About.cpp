#include "app/Unit_About.h"

#include "controls/CfButton.h"
#include "controls/CfLabel.h"
#include "platform/Shell.h"
#include "settings/Unit_lib.h"

using namespace cf;

TForm_About* Form_About = nullptr;

namespace {

// The maker's picture: a dish under a night sky with the program's name.
class TMakerPicture : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(TCanvas& c) override
    {
        const int w = Width(), h = Height();
        c.FillRect(TRect(0, 0, w, h), TColor(0x00602000));
        c.FillRect(TRect(0, h - 30, w, h), TColor(0x00303030));
        c.Pen.Color = clWhite;
        for (int i = 0; i < 24; ++i) {
            const int x = (i * 53) % w, y = (i * 29) % (h - 40);
            c.SetPixel(x, y, clWhite);
        }
        c.Pen.Color = clBlack;
        c.Brush.Color = clSilver;
        c.Brush.Style = bsSolid;
        c.Ellipse(w / 2 - 45, h - 120, w / 2 + 35, h - 40);
        c.FillRect(TRect(w / 2 - 4, h - 60, w / 2 + 4, h - 30), clGray);
        c.Pen.Color = clYellow;
        c.Pen.Width = 2;
        c.MoveTo(w / 2 - 5, h - 80);
        c.LineTo(w / 2 + 40, h - 115);
        c.Pen.Width = 1;
    }
};

TCfLabel* AboutLabel(QWidget* parent, const char* name, const std::string& caption, int top, int height = 18)
{
    auto* l = new TCfLabel(parent);
    l->Name = name;
    l->SetCaption(caption);
    l->SetBounds(196, top, 250, height);
    return l;
}

} // namespace

TForm_About::TForm_About(QWidget* owner) : TForm(owner)
{
    Form_About = this;
    Name = "Form_About";
    SetBorderStyle(TFormBorderStyle::bsNone);
    Position = TPosition::poScreenCenter;
    SetClientSize(460, 220);
    Color = clBtnFace;

    auto* picture = new TMakerPicture(this);
    picture->Name = "Image_Maker";
    picture->SetBounds(10, 10, 170, 200);
    picture->SetCursor(crHandPoint);
    picture->OnClick = [this](TControl*) { Image_MakerClick(); };
    Image_Maker = picture;

    CfLabel_Title = AboutLabel(this, "CfLabel_Title", "Chanforge", 14, 26);
    TFont big = CfLabel_Title->Font;
    big.SetHeight(-20);
    big.Style = fsBold;
    CfLabel_Title->Font = big;
    CfLabel_Title->FontChanged();
    CfLabel_Version = AboutLabel(this, "CfLabel_Version", "", 44);
    CfLabel_Text = AboutLabel(this, "CfLabel_Text", "Settings editor for Enigma receivers", 72);
    CfLabel_Site = AboutLabel(this, "CfLabel_Site", "chanforge.example.org", 100);
    CfLabel_Mail = AboutLabel(this, "CfLabel_Mail", "chanforge@example.org", 122);

    BitBtn_Exit = new TCfButton(this);
    BitBtn_Exit->Name = "BitBtn_Exit";
    BitBtn_Exit->SetCaption("Exit");
    BitBtn_Exit->SetBounds(370, 182, 75, 25);
    BitBtn_Exit->ModalResult = mrCancel;
    BitBtn_Exit->Cancel = true;
    BitBtn_Exit->SetDefault(true);
}

void TForm_About::FormShow()
{
    CentreOnScreen();
    CfLabel_Version->SetCaption(VersionText);
    BitBtn_Exit->SetFocus();
}

void TForm_About::Image_MakerClick() { ShellOpen(MakerSite); }

void TForm_About::Paint(TCanvas& canvas)
{
    TForm::Paint(canvas);
    // A thin frame, as the window has no border of its own.
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = clGray;
    canvas.Rectangle(0, 0, ClientWidth(), ClientHeight());
}
