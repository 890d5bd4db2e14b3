#pragma once

#include "virtualrobot/camera/camera.h"

#include <QObject>
#include <QThread>

#include <cstdint>
#include <vector>

namespace vr {

/// Takes camera pictures on a thread of its own, so that the robot answers
/// requests while a frame is being rendered and encoded. One picture at a
/// time: a scene handed over while the last one is still being taken is
/// refused, and the next frame is the newest view.
class CameraThread : public QObject
{
    Q_OBJECT

public:
    CameraThread();
    ~CameraThread() override;

    /// Starts taking a picture of the scene at a JPEG quality; false while
    /// one is in hand.
    bool capture(const Scene &scene, int quality);
    bool busy() const { return m_busy; }

Q_SIGNALS:
    /// The picture is ready, on the thread that asked for it; empty when it
    /// could not be encoded.
    void captured(const std::vector<std::uint8_t> &jpeg);

private:
    QThread m_thread;
    QObject m_worker;
    Camera m_camera;
    bool m_busy = false;
};

} // namespace vr
