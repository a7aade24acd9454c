#include "controls/ProgressBar.h"

#include <algorithm>

namespace cf {

TProgressBar::TProgressBar(QWidget* parent) : TControl(parent)
{
    SetTabStop(false);
}

int TProgressBar::Clamp(int v) const
{
    return std::max(min_, std::min(v, std::max(min_, max_)));
}

void TProgressBar::SetMin(int v)
{
    if (v == min_)
        return;
    min_ = v;
    position_ = Clamp(position_);
    Invalidate();
}

void TProgressBar::SetMax(int v)
{
    if (v == max_)
        return;
    max_ = v;
    position_ = Clamp(position_);
    Invalidate();
}

void TProgressBar::SetPosition(int v)
{
    v = Clamp(v);
    if (v == position_)
        return;
    position_ = v;
    Invalidate();
}

void TProgressBar::SetSmooth(bool on)
{
    if (on == smooth_)
        return;
    smooth_ = on;
    Invalidate();
}

int TProgressBar::FilledWidth(int clientWidth) const
{
    const int inner = std::max(0, clientWidth - 2);
    if (max_ <= min_)
        return 0;
    return static_cast<int>(static_cast<long long>(inner) * (position_ - min_) / (max_ - min_));
}

void TProgressBar::Paint(TCanvas& canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    canvas.FillRect(TRect(0, 0, w, h), clBtnFace);
    // One-pixel sunken edge.
    canvas.FillRect(TRect(0, 0, w, 1), clBtnShadow);
    canvas.FillRect(TRect(0, 0, 1, h), clBtnShadow);
    canvas.FillRect(TRect(0, h - 1, w, h), clBtnHighlight);
    canvas.FillRect(TRect(w - 1, 0, w, h), clBtnHighlight);
    const int filled = FilledWidth(w);
    if (filled <= 0 || h <= 2)
        return;
    if (smooth_) {
        canvas.FillRect(TRect(1, 1, 1 + filled, h - 1), clHighlight);
        return;
    }
    // Blocks two thirds of the height wide, two pixels apart.
    const int block = std::max(1, (h - 2) * 2 / 3);
    for (int x = 1; x < 1 + filled; x += block + 2)
        canvas.FillRect(TRect(x, 2, std::min(x + block, 1 + filled), h - 2), clHighlight);
}

} // namespace cf
