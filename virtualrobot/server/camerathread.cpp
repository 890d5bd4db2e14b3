#include "virtualrobot/server/camerathread.h"

namespace vr {

CameraThread::CameraThread()
{
    m_worker.moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("camera"));
    m_thread.start();
}

CameraThread::~CameraThread()
{
    m_thread.quit();
    m_thread.wait();
}

bool CameraThread::capture(const Scene &scene, int quality)
{
    if (m_busy)
        return false;
    m_busy = true;
    // The camera belongs to the worker's thread; the picture comes back by
    // value, so no buffer is shared between the two threads.
    QMetaObject::invokeMethod(&m_worker, [this, scene, quality] {
        std::vector<std::uint8_t> jpeg;
        m_camera.setQuality(quality);
        if (!m_camera.capture(scene, jpeg))
            jpeg.clear();
        QMetaObject::invokeMethod(this, [this, picture = std::move(jpeg)] {
            m_busy = false;
            Q_EMIT captured(picture);
        });
    });
    return true;
}

} // namespace vr
