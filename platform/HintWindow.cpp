#include "platform/HintWindow.h"

#include "platform/DrawText.h"

namespace cf {

THintWindow::THintWindow(QWidget* parent) : TControl(parent)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    Color = clInfoBk;
    Font.Color = clInfoText;
    SetFrameInsets(TRect(1, 1, 1, 1));
}

void THintWindow::ActivateHint(const TRect& r, const std::string& text)
{
    SetCaption(text);
    setGeometry(r.Left, r.Top, std::max(1, r.Width()), std::max(1, r.Height()));
    allocated_ = true;
    show();
    raise();
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& r, const std::string& text, void* data)
{
    data_ = data;
    ActivateHint(r, text);
}

void THintWindow::ReleaseHandle()
{
    hide();
    allocated_ = false;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas c(&scratch);
    c.Font = Font;
    TRect r(0, 0, maxWidth, 0);
    DrawText(c, text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return TRect(0, 0, r.Right + 6 + 2, r.Bottom + 2 + 2);
}

void THintWindow::Paint(TCanvas& canvas)
{
    canvas.Brush.Color = Color;
    canvas.FillRect(ClientRect());
    canvas.Brush.Style = bsClear;
    canvas.Font = Font;
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 1;
    DrawText(canvas, Caption(), r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}


} // namespace cf
