#pragma once

// DrawText with the Windows DT_* flags the controls use.

#include "platform/Canvas.h"

#include <string>

namespace cf {

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

// Lays out and (unless DT_CALCRECT) draws text in rect. Returns the height of
// the text; with DT_VCENTER or DT_BOTTOM the offset from rect's top to the
// bottom of the drawn text. With DT_CALCRECT, rect is set to the text's
// extent (its left and top kept) and nothing is drawn.
//
// Rules kept from the Windows call:
// - lines end at CR, LF or CR LF unless DT_SINGLELINE;
// - DT_WORDBREAK breaks at blanks where a line gets wider than the rectangle;
//   a single word wider than the rectangle is broken only with DT_EDITCONTROL;
// - DT_VCENTER / DT_BOTTOM act on single-line text only;
// - "&x" underlines x, "&&" draws "&" (neither with DT_NOPREFIX; DT_HIDEPREFIX
//   removes the "&" without underlining);
// - DT_END_ELLIPSIS / DT_WORD_ELLIPSIS cut a line that does not fit and end it
//   with "..."; DT_PATH_ELLIPSIS keeps the part after the last "\" or "/";
// - without DT_NOCLIP the output is clipped to rect;
// - the background is filled behind each line unless the brush is clear.
int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned flags);
inline int DrawText(TCanvas& canvas, const std::string& text, const TRect& rect, unsigned flags)
{
    TRect r = rect;
    return DrawText(canvas, text, r, flags & ~DT_CALCRECT);
}

} // namespace cf
