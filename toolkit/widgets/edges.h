#pragma once

#include <QRect>

class QColor;
class QPainter;
class QPalette;

namespace tk::qt {

/// (WS_EX_CLIENTEDGE), thin sunken (WS_EX_STATICEDGE).
struct Edges
{
    bool raised = false;
    bool border = false;
    bool sunken = false;
    bool thin = false;
};

/// Draws a control's window edges inside rect, outermost first, and returns
/// what is left inside them, which is empty when the edges take it all.
/// Edges wider than the control are clipped to it, their sides crossing.
QRect drawEdges(QPainter &painter, const QRect &rect, const QPalette &palette, const Edges &edges);

/// Width the edges take from each side.
int edgeWidth(const Edges &edges);

/// Draws a one-pixel outline along rect's sides: top and left in one
/// colour, then bottom and right in the other. On a rect without width
/// (or height) only its left and right (top and bottom) sides are drawn.
void drawRing(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight);

/// Draws the raised edge of a push button or a trackbar's thumb, its
/// highlight outermost, and returns what is left inside it.
QRect drawButtonEdge(QPainter &painter, const QRect &rect, const QPalette &palette);

/// Draws the etched line of a group box or separator along rect's sides.
void drawEtched(QPainter &painter, const QRect &rect, const QPalette &palette);

} // namespace tk::qt
