#include "toolkit/widgets/trackbar.h"

#include "toolkit/widgets/edges.h"
#include "toolkit/core/windowevent.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tk::qt {

namespace {

// A held press in the channel pages again after a pause, then steadily.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;
constexpr int kWheelNotch = 120;
// Trackbar metrics in pixels of the client area: the thumb reaches this far
// across the channel where there is room, and stands off the client's side.
constexpr int kThumbLength = 21;
constexpr int kThumbInset = 2;
constexpr int kChannelWidth = 4;

// Where a trackbar's parts lie. The thumb runs along the channel over
// `travel` pixels from `first`, its start at the range's minimum.
struct Layout
{
    QRect channel;
    QRect thumb;
    int first = 0;
    int travel = 0;
};

// Pixels from the channel's first thumb position to the thumb's start at
// steps above the minimum.
int thumbOffset(int travel, long long range, long long steps)
{
    return static_cast<int>(travel * steps / range);
}

Layout layoutOf(const QRect &client, Qt::Orientation orientation, int minimum, int maximum, int position)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const int across = horizontal ? client.height() : client.width();
    const int length = horizontal ? client.width() : client.height();
    // A narrow trackbar gets a shorter thumb; the thumb's width along the
    // channel is odd, so that it has a middle pixel.
    const int thumbAcross = across >= kThumbLength ? kThumbLength : (across > 9 ? across - 6 : 4);
    const int thumbAlong = (thumbAcross / 2) | 1;
    const int channelStart = thumbAcross / 4 + 3;
    const int channelLength = length - 2 * channelStart;
    const int channelAcross = thumbAcross / 2;
    const int travel = channelLength - thumbAlong;
    const long long range = std::max(1, maximum - minimum);
    const int thumbStart = channelStart + thumbOffset(travel, range, static_cast<long long>(position) - minimum);
    const auto place = [&](int alongStart, int acrossStart, int alongSize, int acrossSize) {
        return horizontal ? QRect(client.left() + alongStart, client.top() + acrossStart, alongSize, acrossSize)
                          : QRect(client.left() + acrossStart, client.top() + alongStart, acrossSize, alongSize);
    };
    return {.channel = place(channelStart, channelAcross, channelLength, kChannelWidth),
            .thumb = place(thumbStart, kThumbInset, thumbAlong, thumbAcross),
            .first = (horizontal ? client.left() : client.top()) + channelStart,
            .travel = travel};
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

Trackbar::Trackbar(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent)
{
    setTickPosition(QSlider::NoTicks);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        m_repeat.setInterval(kRepeatIntervalMs);
        pageTowardPointer();
    });
}

void Trackbar::setRangeMin(int minimum)
{
    setMinimum(minimum);
}

void Trackbar::setRangeMax(int maximum)
{
    setMaximum(maximum);
}

void Trackbar::setPageSize(int size)
{
    setPageStep(size);
}

void Trackbar::setLineSize(int size)
{
    setSingleStep(size);
}

void Trackbar::setPos(int position)
{
    setValue(position);
}

void Trackbar::setEdges(const Edges &edges)
{
    m_edges = edges;
    update();
}

QRect Trackbar::clientArea() const
{
    const int edge = edgeWidth(m_edges);
    return rect().adjusted(edge, edge, -edge, -edge);
}

void Trackbar::paintEvent(QPaintEvent *)
{
    // A trackbar's channel is a plain sunken slot, never filled up to the
    // thumb, and its thumb (both sides, no ticks) a raised rectangle. The
    // vertical one has its minimum at the top.
    QPainter painter(this);
    drawEdges(painter, rect(), palette(), m_edges);
    const Layout layout = layoutOf(clientArea(), orientation(), minimum(), maximum(), value());
    drawEdges(painter, layout.channel, palette(), Edges{.sunken = true});
    painter.fillRect(layout.thumb, palette().brush(QPalette::Button));
    drawButtonEdge(painter, layout.thumb, palette());
    if (hasFocus()) {
        // The focus shows as a dotted rectangle round the client area.
        QPen dots(palette().color(QPalette::WindowText), 0, Qt::CustomDashLine);
        dots.setDashPattern({1, 1});
        painter.setPen(dots);
        painter.drawRect(clientArea().adjusted(0, 0, -1, -1));
    }
}

void Trackbar::step(int target, int code)
{
    target = std::clamp(target, minimum(), maximum());
    if (target == value())
        return;
    setValue(target);
    Q_EMIT scrolled(code);
}

void Trackbar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step(value() - singleStep(), TB_LINEUP);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step(value() + singleStep(), TB_LINEDOWN);
        break;
    case Qt::Key_PageUp:
        step(value() - pageStep(), TB_PAGEUP);
        break;
    case Qt::Key_PageDown:
        step(value() + pageStep(), TB_PAGEDOWN);
        break;
    case Qt::Key_Home:
        step(minimum(), TB_TOP);
        break;
    case Qt::Key_End:
        step(maximum(), TB_BOTTOM);
        break;
    default:
        event->ignore();
    }
}

void Trackbar::keyReleaseEvent(QKeyEvent *event)
{
    if (!isNavigationKey(event->key())) {
        event->ignore();
        return;
    }
    if (!event->isAutoRepeat())
        Q_EMIT scrolled(TB_ENDTRACK);
}

int Trackbar::along(const QPoint &point) const
{
    return orientation() == Qt::Horizontal ? point.x() : point.y();
}

QRect Trackbar::thumbRect() const
{
    return layoutOf(clientArea(), orientation(), minimum(), maximum(), value()).thumb;
}

int Trackbar::valueAtThumbStart(int pixel) const
{
    const Layout layout = layoutOf(clientArea(), orientation(), minimum(), maximum(), value());
    const int offset = pixel - layout.first;
    if (layout.travel <= 0 || offset <= 0)
        return minimum();
    if (offset >= layout.travel)
        return maximum();
    // Of the two positions drawn nearest the pixel, the one closer to it, so
    // that a dragged thumb follows the pointer pixel by pixel.
    const long long range = static_cast<long long>(maximum()) - minimum();
    const long long below = offset * range / layout.travel;
    const long long above = below + 1;
    const int belowMiss = offset - thumbOffset(layout.travel, range, below);
    const int aboveMiss = thumbOffset(layout.travel, range, above) - offset;
    return minimum() + static_cast<int>(above <= range && aboveMiss < belowMiss ? above : below);
}

void Trackbar::pageTowardPointer()
{
    const QRect thumb = thumbRect();
    const int pointer = along(m_pointer);
    const int thumbStart = along(thumb.topLeft());
    const int thumbLength = orientation() == Qt::Horizontal ? thumb.width() : thumb.height();
    if (pointer >= thumbStart && pointer < thumbStart + thumbLength)
        return;
    // The position that would centre the thumb under the pointer bounds the step.
    const int underPointer = valueAtThumbStart(pointer - thumbLength / 2);
    if (underPointer < value())
        step(std::max(value() - pageStep(), underPointer), TB_PAGEUP);
    else if (underPointer > value())
        step(std::min(value() + pageStep(), underPointer), TB_PAGEDOWN);
}

void Trackbar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_drag != Drag::None) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const QRect thumb = thumbRect();
    if (thumb.contains(point)) {
        m_drag = Drag::Thumb;
        m_grabOffset = along(point) - along(thumb.topLeft());
        m_pointer = point;
        return;
    }
    m_drag = Drag::Channel;
    m_pointer = point;
    pageTowardPointer();
    m_repeat.start(kRepeatDelayMs);
}

void Trackbar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_drag == Drag::Channel) {
        m_pointer = point;
    } else if (m_drag == Drag::Thumb) {
        // Only a move along the channel moves the thumb: several positions
        // may be drawn at one pixel.
        if (along(point) == along(m_pointer))
            return;
        m_pointer = point;
        step(valueAtThumbStart(along(point) - m_grabOffset), TB_THUMBTRACK);
    } else {
        event->ignore();
    }
}

void Trackbar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None) {
        event->ignore();
        return;
    }
    if (m_drag == Drag::Thumb)
        Q_EMIT scrolled(TB_THUMBPOSITION);
    m_repeat.stop();
    m_drag = Drag::None;
    Q_EMIT scrolled(TB_ENDTRACK);
}

void Trackbar::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    m_wheelRemainder += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    event->accept();
    if (notches == 0)
        return;
    // Turning the wheel away from the user moves toward the minimum.
    for (int notch = 0; notch < std::abs(notches); ++notch) {
        if (notches > 0)
            step(value() - singleStep(), TB_LINEUP);
        else
            step(value() + singleStep(), TB_LINEDOWN);
    }
    Q_EMIT scrolled(TB_ENDTRACK);
}

} // namespace tk::qt
