#include "toolkit/widgets/edges.h"

#include <QPainter>
#include <QPalette>

#include <array>
#include <span>

namespace tk::qt {

namespace {

// One pixel line of an edge, by the colours of its two halves.
struct Ring
{
    QPalette::ColorRole topLeft;
    QPalette::ColorRole bottomRight;
};

// Each edge's lines, outermost first. A dialog frame is a raised edge and a
// line of the face colour inside it.
constexpr std::array kRaised{Ring{QPalette::Midlight, QPalette::Shadow}, Ring{QPalette::Light, QPalette::Dark},
                             Ring{QPalette::Button, QPalette::Button}};
constexpr std::array kBorder{Ring{QPalette::WindowText, QPalette::WindowText}};
constexpr std::array kSunken{Ring{QPalette::Dark, QPalette::Light}, Ring{QPalette::Shadow, QPalette::Midlight}};
constexpr std::array kThin{Ring{QPalette::Dark, QPalette::Light}};
constexpr std::array kButton{Ring{QPalette::Light, QPalette::Shadow}, Ring{QPalette::Midlight, QPalette::Dark}};
constexpr std::array kEtched{Ring{QPalette::Dark, QPalette::Light}, Ring{QPalette::Light, QPalette::Dark}};

// Draws the rings from rect inwards and returns what is left inside them.
QRect drawRings(QPainter &painter, QRect rect, const QPalette &palette, std::span<const Ring> rings)
{
    for (const Ring &ring : rings) {
        drawRing(painter, rect, palette.color(ring.topLeft), palette.color(ring.bottomRight));
        rect.adjust(1, 1, -1, -1);
    }
    return rect;
}

} // namespace

int edgeWidth(const Edges &edges)
{
    return static_cast<int>((edges.raised ? kRaised.size() : 0) + (edges.border ? kBorder.size() : 0)
                            + (edges.sunken ? kSunken.size() : 0) + (edges.thin ? kThin.size() : 0));
}

void drawRing(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    // A rect shrunk past its size has its sides crossed over (right of
    // left); they are still drawn where they fall.
    const bool across = rect.width() > 0;
    const bool down = rect.height() > 0;
    if (across)
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
    if (down)
        painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
    if (across)
        painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
    if (down)
        painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
}

QRect drawButtonEdge(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    return drawRings(painter, rect, palette, kButton);
}

void drawEtched(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    drawRings(painter, rect, palette, kEtched);
}

QRect drawEdges(QPainter &painter, const QRect &rect, const QPalette &palette, const Edges &edges)
{
    // Inner lines of a control narrower than its edges fall outside it.
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QRect inner = rect;
    if (edges.raised)
        inner = drawRings(painter, inner, palette, kRaised);
    if (edges.border)
        inner = drawRings(painter, inner, palette, kBorder);
    if (edges.sunken)
        inner = drawRings(painter, inner, palette, kSunken);
    if (edges.thin)
        inner = drawRings(painter, inner, palette, kThin);
    painter.restore();
    return inner;
}

} // namespace tk::qt
