#include "toolkit/widgets/controls.h"

#include "toolkit/widgets/edges.h"
#include "toolkit/widgets/windowevent.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tk {

namespace {

// A held press in the channel pages again after a pause, then steadily.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;
constexpr int kWheelNotch = 120;

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
    // A vertical trackbar has its minimum at the top; a QSlider at the bottom.
    setInvertedAppearance(orientation == Qt::Vertical);
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

void Trackbar::initStyleOption(QStyleOptionSlider *option) const
{
    // Groove and thumb lie inside the edges, for painting and hit-testing alike.
    QSlider::initStyleOption(option);
    const int edge = edgeWidth(m_edges);
    option->rect = option->rect.adjusted(edge, edge, -edge, -edge);
}

void Trackbar::paintEvent(QPaintEvent *event)
{
    QSlider::paintEvent(event);
    QPainter painter(this);
    drawEdges(painter, rect(), palette(), m_edges);
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
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

int Trackbar::valueAtThumbStart(int pixel) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect thumb = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int first = horizontal ? groove.x() : groove.y();
    const int last = (horizontal ? groove.right() - thumb.width() : groove.bottom() - thumb.height()) + 1;
    return QStyle::sliderValueFromPosition(minimum(), maximum(), pixel - first, last - first, option.upsideDown);
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

} // namespace tk
