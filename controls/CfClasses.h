#pragma once

// Enumerations shared by several controls and the grid, and small routines
// for measuring text and showing hint windows with Unicode text.

#include "platform/Canvas.h"
#include "platform/HintWindow.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace cf {

enum class TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
using enum TWrapKind;
enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
using enum TVerticalAlignment;
enum class TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
using enum TDrawingOptions;
enum class TItemsDisplayMode { dmDefault, dmNameList, dmValueList, dmIndentList };
using enum TItemsDisplayMode;
enum class TDirection { diLeftToRight, diRightToLeft };
using enum TDirection;

// Horizontal alignment as the class library names it.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

using TCfHtmlClickEvent = std::function<void(QObject* sender, const std::string& href)>;

// Text is Unicode everywhere here; there is no single-byte path to choose.
int WideTextWidth(TCanvas& canvas, const std::string& text);
int WideTextHeight(TCanvas& canvas, const std::string& text);
// Height of the rectangle that text drawing computes without further flags
// (one line per line break).
int WideCalcTextHeight(TCanvas& canvas, const std::string& text);

void ActivateHintWide(THintWindow* hint, const TRect& rect, const std::string& text);
void ActivateHintDataWide(THintWindow* hint, const TRect& rect, const std::string& text, void* data);
void ReleaseHintWindow(THintWindow* hint);

bool IsParentFormActive(const QWidget* control);
// Raises value to minimum, then lowers it to maximum (so maximum wins when
// the two cross).
void ClampInt(int& value, int minimum, int maximum);
bool IsUnsetPoint(TPoint p);
// The text after "name=" of line index; empty for an index outside the list
// or a line without "=".
std::string GetStringsValue(const std::vector<std::string>& list, int index);

} // namespace cf
