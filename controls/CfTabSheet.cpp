#include "controls/CfNotebook.h"
#include "platform/SameText.h"

namespace cf {

TCfTabSheet::TCfTabSheet(TCfCustomNotebook* notebook) : TWinControl(notebook)
{
    SetTabStop(false);
    if (notebook)
        notebook->AddPage(this);
}

TCfTabSheet::~TCfTabSheet()
{
    if (notebook_)
        notebook_->ReleasePage(this, true);
}

void TCfTabSheet::SetNotebook(TCfCustomNotebook* notebook)
{
    if (notebook == notebook_)
        return;
    if (notebook_)
        notebook_->ReleasePage(this, false);
    if (notebook) {
        notebook->AddPage(this);
    } else {
        setVisible(false);
        setParent(nullptr);
    }
}

void TCfTabSheet::TabChanged()
{
    if (notebook_)
        notebook_->TabsChanged();
}

void TCfTabSheet::SetActiveTabColor(TColor c)
{
    if (c == activeTabColor_)
        return;
    activeTabColor_ = c;
    if (notebook_ && notebook_->ActivePage() == this)
        notebook_->RepaintTab(this);
}

bool TCfTabSheet::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Caption"))
        return TWinControl::SetTextProperty(name, value);
    SetCaption(value);
    return true;
}

void TCfTabSheet::SetCaption(const std::string& s)
{
    if (s == Caption())
        return;
    TWinControl::SetCaption(s);
    TabChanged();
}

void TCfTabSheet::SetDisplayMode(TTabDisplayMode m)
{
    if (m == displayMode_)
        return;
    displayMode_ = m;
    TabChanged();
}

void TCfTabSheet::SetGlyph(const TBitmap& b)
{
    glyph_ = b;
    ApplyTransparency();
    TabChanged();
}

void TCfTabSheet::SetImageIndex(int i)
{
    if (i == imageIndex_)
        return;
    imageIndex_ = i;
    if (notebook_)
        notebook_->RepaintTab(this);
}

void TCfTabSheet::SetMargin(int m)
{
    if (m == margin_)
        return;
    margin_ = m;
    Realign();
    Invalidate();
}

int TCfTabSheet::PageIndex() const
{
    return notebook_ ? notebook_->IndexOf(this) : -1;
}

void TCfTabSheet::SetPageIndex(int index)
{
    if (notebook_)
        notebook_->MovePage(this, index);
}

void TCfTabSheet::SetPageVisible(bool on)
{
    if (on == pageVisible_)
        return;
    pageVisible_ = on;
    const bool active = notebook_ && notebook_->ActivePage() == this;
    if (on && active) {
        show();
        raise();
        notebook_->Realign();
    } else {
        hide();
    }
    TabChanged();
}

const TFont& TCfTabSheet::TabFont() const
{
    return parentTabFont_ && notebook_ ? notebook_->Font : tabFont_;
}

void TCfTabSheet::SetTabFont(const TFont& f)
{
    tabFont_ = f;
    parentTabFont_ = false;
    TabChanged();
}

void TCfTabSheet::SetParentTabFont(bool on)
{
    if (on == parentTabFont_)
        return;
    // Either way the sheet goes on from the notebook's present font.
    if (notebook_)
        tabFont_ = notebook_->Font;
    parentTabFont_ = on;
    TabChanged();
}

void TCfTabSheet::SetTabColor(TColor c)
{
    if (c == tabColor_)
        return;
    tabColor_ = c;
    if (notebook_)
        notebook_->RepaintTab(this);
}

void TCfTabSheet::SetTabVisible(bool on)
{
    if (on == tabVisible_)
        return;
    tabVisible_ = on;
    TabChanged();
}

void TCfTabSheet::SetTabWidth(int w)
{
    if (w == tabWidth_)
        return;
    tabWidth_ = w;
    TabChanged();
}

void TCfTabSheet::SetTransparentColor(TColor c)
{
    if (c == transparentColor_)
        return;
    transparentColor_ = c;
    ApplyTransparency();
    TabChanged();
}

void TCfTabSheet::ApplyTransparency()
{
    if (transparentColor_ == clNone || glyph_.Empty())
        return;
    glyph_.Transparent = true;
    glyph_.TransparentMode = TTransparentMode::tmFixed;
    glyph_.SetTransparentColor(transparentColor_);
}

void TCfTabSheet::SetParentColor(bool on)
{
    parentColor_ = on;
    Invalidate();
}

TColor TCfTabSheet::PageColor() const
{
    return parentColor_ && notebook_ ? notebook_->Color : Color;
}

void TCfTabSheet::SetColor(TColor c)
{
    Color = c;
    parentColor_ = false;
    Invalidate();
}

TRect TCfTabSheet::AlignRect() const
{
    TRect r = ClientRect();
    r.Left += margin_;
    r.Top += margin_;
    r.Right -= margin_;
    r.Bottom -= margin_;
    return r;
}

void TCfTabSheet::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), PageColor());
    if (OnPaint)
        OnPaint(this, canvas);
}

} // namespace cf
