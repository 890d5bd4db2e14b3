#pragma once

#include "virtualrobot/window/robotsnapshot.h"

#include <QTransform>
#include <QWidget>

#include <optional>

namespace vr {

/// The room from above, to scale, with a metre grid: walls, the charging
/// station, the ball and the bone, the path walked, and the robot with its
/// heading, its head's direction and its camera's field of view. A person
/// drags the ball, the bone or the robot with the left button and turns the
/// robot with the right; the thing follows the pointer and is put down
/// where the button is let go.
class MapView : public QWidget
{
    Q_OBJECT

public:
    explicit MapView(QWidget *parent = nullptr);

    void show(const RobotSnapshot &snapshot);
    QSize sizeHint() const override { return {500, 375}; }
    /// Where a point of the room is drawn, in the widget's coordinates.
    QPointF onScreen(Vec2 at) const { return roomToWidget().map(QPointF(at.x, at.y)); }

Q_SIGNALS:
    /// A thing was let go of on the map.
    void placed(const vr::Placement &placement);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    /// Millimetres of the room, north up, to the widget's pixels.
    QTransform roomToWidget() const;
    Vec2 inRoom(QPointF point) const;
    /// What the pointer grabs there: the thing drawn on top.
    std::optional<Thing> thingAt(Vec2 at) const;
    /// The snapshot with the thing being dragged where the pointer has it.
    RobotSnapshot shown() const;

    RobotSnapshot m_snapshot;
    std::optional<Placement> m_drag;
};

} // namespace vr
