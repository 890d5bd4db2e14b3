#include "toolkit/widgets/groupbox.h"

#include <QPainter>
#include <QStyle>

namespace tk::qt {

namespace {

// A group box caption stands this far in from the frame's left side.
constexpr int kCaptionIndent = 7;
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

GroupBox::GroupBox(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    setAlignment(Qt::AlignLeft);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBox::setEdges(const Edges &edges)
{
    m_edges = edges;
    update();
}

QRect GroupBox::captionRect() const
{
    const int edge = edgeWidth(m_edges);
    const QRect client = rect().adjusted(edge, edge, -edge, -edge);
    const QRect room = client.adjusted(kCaptionIndent, 0, -kCaptionIndent, 0);
    return fontMetrics().boundingRect(room, kCaptionFlags, title()) & client;
}

void GroupBox::paintEvent(QPaintEvent *)
{
    // The window edges round the control, and inside them an etched frame
    // whose top line runs through the middle of the caption.
    QPainter painter(this);
    const QRect client = drawEdges(painter, rect(), palette(), m_edges);
    if (client.isEmpty())
        return;
    painter.setClipRect(client);
    drawEtched(painter, client.adjusted(0, fontMetrics().height() / 2 - 1, 0, 0), palette());
    if (title().isEmpty())
        return;
    const QRect caption = captionRect();
    // The caption's background breaks the line, a pixel wider than the text.
    painter.fillRect(caption.adjusted(-1, 0, 1, 1), palette().brush(backgroundRole()));
    style()->drawItemText(&painter, caption, kCaptionFlags, palette(), isEnabled(), title(), QPalette::WindowText);
}

} // namespace tk::qt
