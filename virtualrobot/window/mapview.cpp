#include "virtualrobot/window/mapview.h"

#include "virtualrobot/camera/scenerenderer.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace vr {

namespace {

constexpr double kBodyRadius = 160;
constexpr double kSightLength = 1200;
constexpr double kMetre = 1000;
constexpr int kMargin = 8;

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

void MapView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // Millimetres of the room, north up.
    const double scale = std::min((width() - 2 * kMargin) / room::kWidth, (height() - 2 * kMargin) / room::kDepth);
    painter.translate(kMargin, kMargin + room::kDepth * scale);
    painter.scale(scale, -scale);
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

    if (m_snapshot.trail.size() > 1) {
        QPainterPath path(QPointF(m_snapshot.trail.front().x, m_snapshot.trail.front().y));
        for (const Vec2 &point : m_snapshot.trail)
            path.lineTo(point.x, point.y);
        painter.setPen(QPen(QColor(40, 110, 200, 160), 25, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }

    const QPointF body(m_snapshot.pose.x, m_snapshot.pose.y);
    const double look = m_snapshot.pose.heading + m_snapshot.headPan;
    QPainterPath cone(body);
    cone.lineTo(along(body, look - kHorizontalFieldOfView / 2, kSightLength));
    cone.lineTo(along(body, look + kHorizontalFieldOfView / 2, kSightLength));
    cone.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 120, 110));
    painter.drawPath(cone);

    painter.setBrush(QColor(250, 140, 30));
    painter.drawEllipse(QPointF(m_snapshot.ball.position.x, m_snapshot.ball.position.y), room::kBallRadius,
                        room::kBallRadius);

    painter.setBrush(QColor(235, 235, 240));
    painter.setPen(QPen(QColor(40, 40, 50), 15));
    painter.drawEllipse(body, kBodyRadius, kBodyRadius);
    painter.setPen(QPen(QColor(40, 40, 50), 30, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(body, along(body, m_snapshot.pose.heading, kBodyRadius));
    painter.setPen(QPen(QColor(200, 60, 40), 20, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(body, along(body, look, kBodyRadius + 120));

    // Drawn last, so a bone in the mouth shows over the head.
    const QPointF bone(m_snapshot.bone.position.x, m_snapshot.bone.position.y);
    painter.setPen(QPen(QColor(255, 135, 190), 2 * room::kBoneShaftRadius + 10, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(along(bone, m_snapshot.bone.angle, -room::kBoneHalfLength),
                     along(bone, m_snapshot.bone.angle, room::kBoneHalfLength));
}

} // namespace vr
