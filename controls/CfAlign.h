#pragma once

// Child alignment as the class library's containers do it: top, bottom,
// left and right children take their strips of the container's alignment
// area in that order, a client-aligned child takes what is left.

#include "platform/Types.h"

#include <QWidget>

namespace cf {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;

// A container that lays out aligned children implements this.
class TAlignHost {
public:
    virtual ~TAlignHost() = default;
    virtual void Realign() = 0;
};

TAlign ControlAlign(const QWidget* child);
// Records the child's alignment and lets its container lay it out.
void SetControlAlign(QWidget* child, TAlign align);
// Places the aligned children of parent inside area (parent client coordinates).
void AlignChildControls(QWidget* parent, const TRect& area);

} // namespace cf
