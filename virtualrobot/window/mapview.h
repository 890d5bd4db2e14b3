#pragma once

#include "virtualrobot/window/robotsnapshot.h"

#include <QWidget>

namespace vr {

/// The room from above, to scale, with a metre grid: walls, the charging
/// station, the ball and the bone, the path walked, and the robot with its
/// heading, its head's direction and its camera's field of view.
class MapView : public QWidget
{
    Q_OBJECT

public:
    explicit MapView(QWidget *parent = nullptr);

    void show(const RobotSnapshot &snapshot);
    QSize sizeHint() const override { return {540, 405}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RobotSnapshot m_snapshot;
};

} // namespace vr
