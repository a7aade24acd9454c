#include "platform/StockIcons.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

namespace cf {

TBitmap StockIcon(TStockIcon kind, int size)
{
    QStyle::StandardPixmap sp = QStyle::SP_MessageBoxInformation;
    switch (kind) {
    case TStockIcon::siWarning: sp = QStyle::SP_MessageBoxWarning; break;
    case TStockIcon::siError: sp = QStyle::SP_MessageBoxCritical; break;
    case TStockIcon::siInformation: sp = QStyle::SP_MessageBoxInformation; break;
    case TStockIcon::siQuestion: sp = QStyle::SP_MessageBoxQuestion; break;
    }
    QImage img = QApplication::style()->standardIcon(sp).pixmap(QSize(size, size), 1.0).toImage();
    if (img.isNull()) {
        // A style without the picture: an empty (see-through) one of the size.
        img = QImage(size, size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
    } else if (img.size() != QSize(size, size)) {
        img = img.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    img = img.convertToFormat(QImage::Format_ARGB32);
    return TBitmap::FromImage(img, pf32bit);
}

} // namespace cf
