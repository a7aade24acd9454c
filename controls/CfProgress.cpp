#include "controls/CfProgress.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/ProgressBar.h"

#include "platform/Timer.h"

#include <QEvent>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace cf {

namespace {

// The class library rounds halves to even.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

int TextHeightOf(const TFont& font, const std::string& text)
{
    QImage img(1, 1, QImage::Format_RGB32);
    TCanvas c(&img);
    c.Font = font;
    return c.TextHeight(text);
}

} // namespace

// ---- the window ---------------------------------------------------------------

TCfProgressForm::TCfProgressForm(TCfProgress* owner) : TForm(nullptr), owner_(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetStayOnTop(false);
}

void TCfProgressForm::Paint(TCanvas& canvas)
{
    if (owner_)
        owner_->Paint(canvas, ClientWidth(), ClientHeight());
}

void TCfProgressForm::Resize()
{
    TForm::Resize();
    if (owner_)
        owner_->Layout();
}

bool TCfProgressForm::event(QEvent* e)
{
    if (owner_ && FadeArmed) {
        if (e->type() == QEvent::WindowActivate)
            owner_->Fade(true);
        else if (e->type() == QEvent::WindowDeactivate)
            owner_->Fade(false);
    }
    return TForm::event(e);
}

// ---- the component ------------------------------------------------------------

TCfProgress::TCfProgress(QWidget* mainWindow) : mainWindow_(mainWindow)
{
    font_.Name = "MS Sans Serif";
    font_.Size = 8;
    font_.Color = clBlack;
    font_.Style = 0;
    offsetX_ = offsetY_ = Round(1.5 * TextHeightOf(font_, "ghX"));

    form_ = new TCfProgressForm(this);
    form_->Color = clBtnFace;
    form_->Font = font_;
    form_->SetAlphaBlend(true, 255);
    bar_ = new TProgressBar(form_);
    bar_->SetEnabled(false);
    ok_ = new TCfButton(form_);
    ok_->SetCaption("Ok");
    ok_->ModalResult = mrOk;
    ok_->hide();
    cancel_ = new TCfButton(form_);
    cancel_->SetCaption("Cancel");
    cancel_->ModalResult = mrCancel;
    cancel_->hide();
    edit_ = new TCfEdit(form_);
    edit_->hide();
    form_->SetCaption("Window 98 Setup");
    form_->SetBounds(10, 10, 320, 240);
    Layout();
}

TCfProgress::~TCfProgress()
{
    if (form_) {
        form_->Detach();
        if (form_->isVisible())
            form_->Hide();
        delete form_.data();
    }
}

std::string TCfProgress::Caption() const { return form_ ? form_->Caption() : std::string(); }

void TCfProgress::SetCaption(const std::string& s)
{
    if (form_ && form_->Caption() != s)
        form_->SetCaption(s);
}

void TCfProgress::SetTitle(const std::string& s)
{
    title_ = s;
    Repaint();
}

void TCfProgress::SetLines(const std::vector<std::string>& lines)
{
    lines_ = lines;
    Update();
}

void TCfProgress::ClearLines() { SetLines({}); }

void TCfProgress::AddLine(const std::string& line)
{
    lines_.push_back(line);
    Update();
}

void TCfProgress::SetProgress(std::uint16_t p)
{
    if (p == progress_ || p > lines_.size())
        return;
    progress_ = p;
    Repaint();
}

int TCfProgress::Min() const { return bar_ && form_ ? bar_->Min() : 0; }
int TCfProgress::Max() const { return bar_ && form_ ? bar_->Max() : 0; }
int TCfProgress::Position() const { return bar_ && form_ ? bar_->Position() : 0; }

void TCfProgress::SetMin(int v)
{
    if (form_ && v != bar_->Min())
        bar_->SetMin(v);
}

void TCfProgress::SetMax(int v)
{
    if (form_ && v != bar_->Max())
        bar_->SetMax(v);
}

void TCfProgress::SetPosition(int v)
{
    if (!form_ || v == bar_->Position())
        return;
    bar_->SetPosition(v);
    // A load moves the bar once per service: painting each step would cost
    // more than the load itself.
    if (!form_->isVisible())
        return;
    const std::uint64_t now = Clock().NowMs();
    if (!barPainted_ || now - lastBarPaint_ >= static_cast<std::uint64_t>(BarRepaintInterval)) {
        barPainted_ = true;
        lastBarPaint_ = now;
        // Rendered now: during a load no event loop runs to do it later.
        bar_->Render();
        bar_->repaint();
    }
}

bool TCfProgress::Smooth() const { return form_ && bar_->Smooth(); }

void TCfProgress::SetSmooth(bool on)
{
    if (form_)
        bar_->SetSmooth(on); // the position stays
}

void TCfProgress::SetOptions(TCfProgressOptions o)
{
    options_ = o;
    Update();
}

void TCfProgress::SetImages(const TCfImageList* images)
{
    images_ = images;
    Update();
}

void TCfProgress::SetImageIndex(int i)
{
    imageIndex_ = i;
    Repaint();
}

void TCfProgress::SetOffsetX(int v)
{
    offsetX_ = v;
    Repaint();
}

void TCfProgress::SetOffsetY(int v)
{
    offsetY_ = v;
    Repaint();
}

void TCfProgress::SetButtonWidth(int w)
{
    buttonWidth_ = w;
    Update();
}

std::string TCfProgress::OkCaption() const { return form_ ? ok_->Caption() : std::string("Ok"); }

std::string TCfProgress::CancelCaption() const { return form_ ? cancel_->Caption() : std::string("Cancel"); }

void TCfProgress::SetOkCaption(const std::string& s)
{
    if (form_)
        ok_->SetCaption(s);
    Update();
}

void TCfProgress::SetCancelCaption(const std::string& s)
{
    if (form_)
        cancel_->SetCaption(s);
    Update();
}

std::string TCfProgress::Input() const { return form_ ? edit_->Text() : std::string(); }

void TCfProgress::SetInput(const std::string& s)
{
    if (form_)
        edit_->SetText(s);
}

void TCfProgress::SetPrompt(const std::string& s)
{
    prompt_ = s;
    Repaint();
}

TColor TCfProgress::Color() const { return form_ ? form_->Color : clBtnFace; }

void TCfProgress::SetColor(TColor c)
{
    if (!form_)
        return;
    form_->Color = c;
    if (form_->isVisible())
        form_->SetTransparentColor(true, c);
    Repaint();
}

void TCfProgress::SetFont(const TFont& f)
{
    font_ = f;
    if (form_)
        form_->Font = f;
    Update();
}

int TCfProgress::FormLeft() const { return form_ ? form_->Left() : 0; }
int TCfProgress::FormTop() const { return form_ ? form_->Top() : 0; }
int TCfProgress::FormWidth() const { return form_ ? form_->Width() : 0; }
int TCfProgress::FormHeight() const { return form_ ? form_->Height() : 0; }

void TCfProgress::SetFormLeft(int v)
{
    if (form_)
        form_->SetLeft(v);
}

void TCfProgress::SetFormTop(int v)
{
    if (form_)
        form_->SetTop(v);
}

void TCfProgress::SetFormWidth(int v)
{
    if (form_)
        form_->SetWidth(v);
}

void TCfProgress::SetFormHeight(int v)
{
    if (form_)
        form_->SetHeight(v);
}

void TCfProgress::SetAutoSize(bool on)
{
    autoSize_ = on;
    Repaint();
}

void TCfProgress::SetAlwaysOnTop(bool on)
{
    alwaysOnTop_ = on;
    if (!form_)
        return;
    form_->SetStayOnTop(on);
    if (form_->isVisible()) {
        form_->raise();
        form_->Repaint();
    }
}

bool TCfProgress::Visible() const { return form_ && form_->isVisible(); }

void TCfProgress::SetVisible(bool v)
{
    if (!form_ || v == form_->isVisible())
        return;
    form_->FadeArmed = false;
    Layout();
    if (v) {
        alpha_ = 255;
        form_->SetAlphaBlend(true, 255);
        form_->SetTransparentColor(true, form_->Color);
        form_->Show();
        form_->Repaint();
        form_->FadeArmed = (options_ & poAnimate) != 0;
    } else {
        form_->Hide();
    }
    if ((options_ & poDisableMainForm) && mainWindow_)
        mainWindow_->setEnabled(!v);
}

void TCfProgress::BringToFront()
{
    if (form_ && form_->isVisible())
        form_->raise();
}

void TCfProgress::SendToBack()
{
    if (form_ && form_->isVisible())
        form_->lower();
}

void TCfProgress::Fade(bool in)
{
    if (!form_)
        return;
    const int target = in ? 255 : alphaBlendValue_;
    if (options_ & poAnimate) {
        // Toward the target whichever side it lies: a fade-out may start
        // below an opacity raised meanwhile.
        const int step = target > alpha_ ? 1 : -1;
        for (int v = alpha_; v != target; v += step) {
            if (v % 4 != 0)
                continue;
            form_->SetAlphaBlend(true, v);
            Clock().Sleep(std::max(0, alphaDelayValue_));
        }
    }
    alpha_ = target;
    form_->SetAlphaBlend(true, target);
}

void TCfProgress::Update()
{
    Layout();
    Repaint();
}

void TCfProgress::Repaint()
{
    if (form_ && form_->isVisible()) {
        form_->Render();
        form_->repaint();
    }
}

void TCfProgress::PlaceButtons(int cw, int ch)
{
    const int barTop = ch - BarHeight;
    okBounds_ = Bounds(cw - buttonWidth_ - 20, barTop - ButtonHeight - 10, buttonWidth_, ButtonHeight);
    cancelBounds_ = Bounds(okBounds_.Left - buttonWidth_ - 10, okBounds_.Top, buttonWidth_, ButtonHeight);
    const int right = (CancelVisible() ? cancelBounds_.Left : okBounds_.Left) - 20;
    const int editHeight = form_ ? edit_->Height() : EditHeight;
    editBounds_ = TRect(10, okBounds_.Bottom - editHeight, std::max(10, right), okBounds_.Bottom);
}

void TCfProgress::ApplyControls()
{
    if (!form_)
        return;
    auto place = [](TControl* c, const TRect& r, bool show) {
        if (c->BoundsRect() != r)
            c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        if (c->isVisibleTo(c->parentWidget()) != show)
            c->setVisible(show);
    };
    place(ok_, okBounds_, OkVisible());
    place(cancel_, cancelBounds_, CancelVisible());
    place(edit_, editBounds_, EditVisible());
}

void TCfProgress::Layout()
{
    if (!form_)
        return;
    const int cw = form_->ClientWidth(), ch = form_->ClientHeight();
    bar_->SetBounds(0, ch - BarHeight, cw, BarHeight);
    PlaceButtons(cw, ch);
    ApplyControls();
    if (form_->isVisible())
        form_->Invalidate();
}

void TCfProgress::Paint(TCanvas& c, int cw, int ch)
{
    c.Font = font_;
    c.FillRect(TRect(0, 0, cw, ch), Color());
    c.Brush.Style = bsClear;
    const TFontStyles normal = font_.Style & ~static_cast<TFontStyles>(fsBold);
    const TFontStyles bold = font_.Style | fsBold;

    c.Font.Style = normal;
    const int H = c.TextHeight(title_.empty() ? std::string("ghX") : title_);
    const int M = Round(1.5 * H);
    int width = 240, height = 180;

    // The picture.
    int x0 = 0;
    if (images_) {
        x0 = (images_->Count() > 0 ? images_->Pictures[0].Width() : 0) + M;
        int index = -1;
        if (options_ & poFixedImage) {
            if (images_->Count() > 0 && imageIndex_ != -1 && imageIndex_ < images_->Count())
                index = imageIndex_;
        } else if (progress_ < images_->Count()) {
            index = progress_;
        }
        if (index >= 0) {
            TBitmap pic = images_->Pictures[index];
            pic.Transparent = images_->DrawTransparent;
            c.Draw(offsetX_, offsetY_, pic);
            height = std::max(height, 2 * M + pic.Height());
            width = std::max(width, 2 * M + pic.Width());
        }
    }

    // The heading.
    int g = 0;
    if (!title_.empty()) {
        c.TextOut(x0 + 10, M, title_);
        width = std::max(width, c.TextWidth(title_) + x0 + 10);
        g = 2;
    }

    // The steps, the current one bold behind a pointer.
    bool haveStart = false;
    TPoint start;
    for (int i = 1; i <= static_cast<int>(lines_.size()); ++i) {
        const std::string& line = lines_[i - 1];
        c.Font.Style = normal;
        const int f = c.TextHeight(line);
        const int y = Round((i + g) * 1.5 * f);
        c.Font.Style = bold;
        const int boldWidth = c.TextWidth(line);
        width = std::max(width, boldWidth + x0 + 30);
        if (i == progress_) {
            const int mid = y + f / 2;
            c.Pen.Color = clBlack;
            c.Pen.Style = psSolid;
            c.Brush.Color = clBlack;
            c.Brush.Style = bsSolid;
            c.Polygon({{x0 + 20, mid}, {x0 + 17, mid - 3}, {x0 + 17, mid + 3}});
            c.Brush.Style = bsClear;
            start = {x0 + boldWidth + 40, mid};
            haveStart = true;
        } else {
            c.Font.Style = normal;
        }
        c.TextOut(x0 + 30, y, line);
        height = std::max(height, y + 2 * f);
    }
    c.Font.Style = normal;
    const int hx = c.TextHeight("X");
    height += 3 * hx;
    width += 30;
    if (autoSize_ && form_) {
        const int fw = width + M, fh = height + M + BarHeight;
        if (form_->ClientWidth() != fw || form_->ClientHeight() != fh)
            form_->SetClientSize(fw, fh);
    }

    // Buttons, connector and prompt.
    PlaceButtons(cw, ch);
    if (form_ && cw == form_->ClientWidth() && ch == form_->ClientHeight())
        ApplyControls();
    if (!OkVisible())
        return;
    if ((options_ & poShowArrow) && haveStart && progress_ != 0) {
        const int d = 5;
        const int x = cw - (hx / 2 + 20);
        int endY = okBounds_.Top - hx;
        c.Font.Style = bold;
        const bool promptWide = (options_ & poShowEdit) && c.TextWidth(prompt_) + editBounds_.Left > x - 3 * d / 2;
        if ((options_ & poShowPrompt) || promptWide)
            endY = okBounds_.Top - Round(2.5 * hx);
        c.Pen.Color = clBlack;
        c.Pen.Style = psSolid;
        c.MoveTo(start.X, start.Y - d);
        c.LineTo(start.X, start.Y + d);
        c.MoveTo(start.X, start.Y);
        c.LineTo(x, start.Y);
        c.LineTo(x, endY);
        c.Brush.Color = clBlack;
        c.Brush.Style = bsSolid;
        c.Polygon({{x, endY}, {x - d, endY - d}, {x + d, endY - d}});
        c.Brush.Style = bsClear;
    }
    if ((options_ & poShowPrompt) && progress_ != 0) {
        c.Font.Style = bold;
        const int y = okBounds_.Top - 2 * hx;
        const int x = (options_ & poShowEdit) ? editBounds_.Left : cw - 20 - c.TextWidth(prompt_);
        c.TextOut(x, y, prompt_);
    }
    c.Font.Style = normal;
}

} // namespace cf
