#include "virtualrobot/window/mapview.h"

#include "virtualrobot/camera/scenerenderer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace vr {

namespace {

constexpr double kSightLength = 1200;
constexpr double kMetre = 1000;
constexpr int kMargin = 8;
// How near the pointer must come to a thing to grab it, beyond its size.
constexpr double kGrabSlack = 60;

QPointF along(QPointF from, double degrees, double length)
{
    const double radians = degrees * std::numbers::pi / 180;
    return from + QPointF(length * std::cos(radians), length * std::sin(radians));
}

} // namespace

MapView::MapView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(360, 270);
}

void MapView::show(const RobotSnapshot &snapshot)
{
    m_snapshot = snapshot;
    update();
}

QTransform MapView::roomToWidget() const
{
    const double scale = std::min((width() - 2 * kMargin) / room::kWidth, (height() - 2 * kMargin) / room::kDepth);
    const double left = (width() - room::kWidth * scale) / 2;
    return QTransform::fromTranslate(left, kMargin + room::kDepth * scale).scale(scale, -scale);
}

Vec2 MapView::inRoom(QPointF point) const
{
    const QPointF at = roomToWidget().inverted().map(point);
    return {at.x(), at.y()};
}

std::optional<Thing> MapView::thingAt(Vec2 at) const
{
    if (distance(at, m_snapshot.bone.position) <= room::kBoneHalfLength + kGrabSlack)
        return Thing::Bone;
    if (distance(at, m_snapshot.ball.position) <= room::kBallRadius + kGrabSlack)
        return Thing::Ball;
    if (distance(at, {m_snapshot.pose.x, m_snapshot.pose.y}) <= room::kRobotRadius)
        return Thing::Robot;
    return std::nullopt;
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    const Vec2 at = inRoom(event->position());
    const Vec2 body{m_snapshot.pose.x, m_snapshot.pose.y};
    const auto thing = thingAt(at);
    if (event->button() == Qt::LeftButton && thing) {
        // A bone in the mouth is grabbed out of it.
        m_drag = Placement{*thing, at, std::nullopt};
    } else if (event->button() == Qt::RightButton && distance(at, body) <= room::kRobotRadius) {
        m_drag = Placement{Thing::Robot, body, m_snapshot.pose.heading};
    } else {
        return QWidget::mousePressEvent(event);
    }
    setCursor(Qt::ClosedHandCursor);
    update();
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag)
        return QWidget::mouseMoveEvent(event);
    const Vec2 at = inRoom(event->position());
    if (m_drag->heading) {
        const Vec2 body = *m_drag->at;
        if (distance(at, body) > 0)
            m_drag->heading = std::atan2(at.y - body.y, at.x - body.x) * 180 / std::numbers::pi;
    } else {
        m_drag->at = at;
    }
    update();
}

void MapView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag)
        return QWidget::mouseReleaseEvent(event);
    mouseMoveEvent(event);
    const Placement placement = *m_drag;
    m_drag.reset();
    unsetCursor();
    Q_EMIT placed(placement);
}

RobotSnapshot MapView::shown() const
{
    RobotSnapshot snapshot = m_snapshot;
    if (!m_drag)
        return snapshot;
    const Vec2 at = *m_drag->at;
    switch (m_drag->thing) {
    case Thing::Robot:
        snapshot.pose = {at.x, at.y, m_drag->heading.value_or(snapshot.pose.heading)};
        snapshot.trail.clear();
        break;
    case Thing::Ball:
        snapshot.ball.position = at;
        break;
    case Thing::Bone:
        snapshot.bone.position = at;
        break;
    }
    return snapshot;
}

void MapView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setTransform(roomToWidget());
    const RobotSnapshot snapshot = shown();
    const QRectF floor(0, 0, room::kWidth, room::kDepth);
    painter.fillRect(floor, QColor(214, 190, 160));

    QPen thin(QColor(150, 130, 110), 0);
    painter.setPen(thin);
    for (double x = kMetre; x < room::kWidth; x += kMetre)
        painter.drawLine(QPointF(x, 0), QPointF(x, room::kDepth));
    for (double y = kMetre; y < room::kDepth; y += kMetre)
        painter.drawLine(QPointF(0, y), QPointF(room::kWidth, y));

    painter.fillRect(QRectF(room::kStationMinX, room::kStationMinY, room::kStationMaxX - room::kStationMinX,
                            room::kDepth - room::kStationMinY),
                     QColor(70, 72, 84));
    painter.setPen(QPen(QColor(60, 60, 60), 60));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(floor.adjusted(-30, -30, 30, 30));

    if (snapshot.trail.size() > 1) {
        QPainterPath path(QPointF(snapshot.trail.front().x, snapshot.trail.front().y));
        for (const Vec2 &point : snapshot.trail)
            path.lineTo(point.x, point.y);
        painter.setPen(QPen(QColor(40, 110, 200, 160), 25, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }

    const QPointF body(snapshot.pose.x, snapshot.pose.y);
    const double look = snapshot.pose.heading + snapshot.headPan;
    QPainterPath cone(body);
    cone.lineTo(along(body, look - kHorizontalFieldOfView / 2, kSightLength));
    cone.lineTo(along(body, look + kHorizontalFieldOfView / 2, kSightLength));
    cone.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 120, 110));
    painter.drawPath(cone);

    painter.setBrush(QColor(250, 140, 30));
    painter.drawEllipse(QPointF(snapshot.ball.position.x, snapshot.ball.position.y), room::kBallRadius,
                        room::kBallRadius);

    painter.setBrush(QColor(235, 235, 240));
    painter.setPen(QPen(QColor(40, 40, 50), 15));
    painter.drawEllipse(body, room::kRobotRadius, room::kRobotRadius);
    painter.setPen(QPen(QColor(40, 40, 50), 30, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(body, along(body, snapshot.pose.heading, room::kRobotRadius));
    painter.setPen(QPen(QColor(200, 60, 40), 20, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(body, along(body, look, room::kRobotRadius + 120));

    // Drawn last, so a bone in the mouth shows over the head.
    const QPointF bone(snapshot.bone.position.x, snapshot.bone.position.y);
    painter.setPen(QPen(QColor(255, 135, 190), 2 * room::kBoneShaftRadius + 10, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(along(bone, snapshot.bone.angle, -room::kBoneHalfLength),
                     along(bone, snapshot.bone.angle, room::kBoneHalfLength));
}

} // namespace vr
