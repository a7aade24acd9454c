#pragma once

// Painting what a plain Qt widget (one that is not a TControl) shows, for a
// control that draws its parent's background under itself.

#include "platform/Canvas.h"

class QWidget;

namespace cf {

// Paints `widget`'s own background (not its children) onto `canvas` with
// the widget's top-left at the canvas origin, over a ground of clBtnFace.
void PaintWidgetBackground(QWidget* widget, TCanvas& canvas);

} // namespace cf
