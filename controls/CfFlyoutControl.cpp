#include "controls/CfFlyoutControl.h"


namespace cf {

TCfFlyoutControl::TCfFlyoutControl(QWidget* owner) : TWinControl(owner)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    hide();
    raise();
}

void TCfFlyoutControl::SetWindowRegion(const TRegion& region)
{
    region_ = region;
    setMask(region.qregion());
}

TRollShadow::TRollShadow(QWidget* owner) : TCfFlyoutControl(owner)
{
    resize(32, 32);
    ApplyShape();
}

TRegion TRollShadow::Shape()
{
    TRegion up = TRegion::FromPolygon({{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}});
    TRegion down = TRegion::FromPolygon({{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}});
    TRegion dot = TRegion::FromEllipse(TRect(5, 9, 10, 14));
    return up.United(down).United(dot);
}

void TRollShadow::ApplyShape()
{
    SetWindowRegion(Shape());
}

void TRollShadow::ShowAt(TPoint p)
{
    ApplyShape();
    anchor_ = p;
    SetBounds(p.X - 7, p.Y - 11, 32, 32);
    show();
}

void TRollShadow::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), clGrayText);
}

} // namespace cf
