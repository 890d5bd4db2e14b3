#pragma once

#include "toolkit/widgets/controls.h"

#include <QRect>

class QPainter;
class QPalette;

namespace tk {

/// Draws a control's window edges inside rect, outermost first, and returns
/// what is left inside them.
QRect drawEdges(QPainter &painter, const QRect &rect, const QPalette &palette, const Edges &edges);

/// Width the edges take from each side.
int edgeWidth(const Edges &edges);

} // namespace tk
