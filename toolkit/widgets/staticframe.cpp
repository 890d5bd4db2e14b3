#include "toolkit/widgets/staticframe.h"

#include <QPainter>

namespace tk::qt {

StaticFrame::StaticFrame(const Edges &edges, QWidget *parent) : QFrame(parent), m_edges(edges)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StaticFrame::paintEvent(QPaintEvent *)
{
    // Only lines: the inside belongs to whoever paints into the frame
    // before it (the camera picture in the image pane).
    QPainter painter(this);
    const QRect inner = drawEdges(painter, rect(), palette(), m_edges);
    // The outline belongs to the client area, which the edges of a narrow
    // frame can take whole.
    if (!inner.isEmpty()) {
        const QColor outline = palette().color(QPalette::WindowText);
        drawRing(painter, inner, outline, outline);
    }
}

} // namespace tk::qt
