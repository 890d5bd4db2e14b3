#include "toolkit/widgets/edges.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace tk {

namespace {

constexpr int kPanelWidth = 2;
constexpr int kLineWidth = 1;
// A dialog frame: a raised panel and a line of the face colour inside it.
constexpr int kRaisedWidth = kPanelWidth + kLineWidth;

void drawThinSunken(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

int edgeWidth(const Edges &edges)
{
    return (edges.raised ? kRaisedWidth : 0) + (edges.border ? kLineWidth : 0) + (edges.sunken ? kPanelWidth : 0)
        + (edges.thin ? kLineWidth : 0);
}

QRect drawEdges(QPainter &painter, const QRect &rect, const QPalette &palette, const Edges &edges)
{
    QRect inner = rect;
    if (edges.raised) {
        qDrawWinPanel(&painter, inner, palette, false);
        inner.adjust(kPanelWidth, kPanelWidth, -kPanelWidth, -kPanelWidth);
        painter.setPen(palette.color(QPalette::Button));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
    }
    if (edges.border) {
        painter.setPen(palette.color(QPalette::WindowText));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
    }
    if (edges.sunken) {
        qDrawWinPanel(&painter, inner, palette, true);
        inner.adjust(kPanelWidth, kPanelWidth, -kPanelWidth, -kPanelWidth);
    }
    if (edges.thin) {
        drawThinSunken(painter, inner, palette);
        inner.adjust(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
    }
    return inner;
}

} // namespace tk
