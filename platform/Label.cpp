#include "platform/Label.h"
#include "platform/SameText.h"

namespace cf {

TLabel::TLabel(QWidget* parent) : TGraphicControl(parent)
{
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool on)
{
    wordWrap_ = on;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool on)
{
    showAccelChar_ = on;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetBreakLongWords(bool on)
{
    breakLongWords_ = on;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAlignment(unsigned a)
{
    alignment_ = a & (DT_CENTER | DT_RIGHT);
    Invalidate();
}

void TLabel::SetCaption(const std::string& s)
{
    TControl::SetCaption(s);
    AdjustBounds();
}

void TLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

unsigned TLabel::DrawFlags() const
{
    unsigned f = DT_EXPANDTABS | alignment_;
    if (wordWrap_)
        f |= DT_WORDBREAK;
    if (wordWrap_ && breakLongWords_)
        f |= DT_EDITCONTROL;
    if (!showAccelChar_)
        f |= DT_NOPREFIX;
    return f;
}

void TLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = Font;
    TRect r = ClientRect();
    if (!wordWrap_)
        r.Right = r.Left + 1;  // measured to the text's own width
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    DrawText(c, text, r, (DrawFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    int x = Left();
    if (alignment_ & DT_RIGHT)
        x += Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

void TLabel::PaintParentBackground(TCanvas& canvas)
{
    auto* parent = dynamic_cast<TControl*>(parentWidget());
    if (!parent) {
        canvas.FillRect(ClientRect(), Color);
        return;
    }
    int state = canvas.SaveState();
    // The parent's window origin, seen from this label's client origin.
    TPoint at = ClientToParent(TPoint(0, 0));
    canvas.MoveOrigin(-at.X - parent->FrameInsets().Left, -at.Y - parent->FrameInsets().Top);
    parent->PaintTo(canvas);
    canvas.RestoreState(state);
}

void TLabel::Paint(TCanvas& canvas)
{
    if (transparent_)
        PaintParentBackground(canvas);
    else
        canvas.FillRect(ClientRect(), Color);
    canvas.Font = Font;
    canvas.Brush.Style = bsClear;
    TRect r = ClientRect();
    unsigned flags = DrawFlags();
    if (!Enabled()) {
        canvas.Font.Color = clBtnHighlight;
        DrawText(canvas, Caption(), OffsetRect(r, 1, 1), flags);
        canvas.Font.Color = clBtnShadow;
    }
    DrawText(canvas, Caption(), r, flags);
}


bool TLabel::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Caption"))
        return TControl::SetTextProperty(name, value);
    SetCaption(value);
    return true;
}

} // namespace cf
