#pragma once

// The splash window's picture, drawn rather than shipped as a file.

#include "platform/Bitmap.h"

cf::TBitmap SplashPicture(int width, int height);
