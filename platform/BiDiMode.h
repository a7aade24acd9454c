#pragma once

// Reading order of a control's text, as the class library names it.

namespace cf {

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;

} // namespace cf
