#include "platform/WidgetPaint.h"

#include "platform/Color.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace cf {

void PaintWidgetBackground(QWidget* widget, TCanvas& canvas)
{
    if (!widget)
        return;
    QImage img(widget->size(), QImage::Format_RGB32);
    if (img.isNull())
        return;
    img.fill(ToPixel(clBtnFace));
    widget->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    TCanvas src(&img);
    const TRect all(0, 0, img.width(), img.height());
    canvas.CopyRect(all, src, all);
}

} // namespace cf
