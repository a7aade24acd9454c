#pragma once

// The desktop's own pictures for the kinds of message a dialog shows.

#include "platform/Bitmap.h"

namespace cf {

enum class TStockIcon { siWarning, siError, siInformation, siQuestion };

// The picture for `kind`, size x size pixels, pf32bit with its alpha.
TBitmap StockIcon(TStockIcon kind, int size = 32);

} // namespace cf
