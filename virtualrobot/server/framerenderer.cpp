#include "virtualrobot/server/framerenderer.h"

namespace vr {

FrameRenderer::FrameRenderer()
{
    m_worker.moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("camera"));
    m_thread.start();
}

FrameRenderer::~FrameRenderer()
{
    m_thread.quit();
    m_thread.wait();
}

bool FrameRenderer::capture(const Scene &scene)
{
    if (m_busy)
        return false;
    m_busy = true;
    // The camera and the buffer belong to the worker's thread until the
    // picture is handed back.
    QMetaObject::invokeMethod(&m_worker, [this, scene] {
        if (!m_camera.capture(scene, m_jpeg))
            m_jpeg.clear();
        QMetaObject::invokeMethod(this, [this] {
            m_busy = false;
            Q_EMIT captured(m_jpeg);
        });
    });
    return true;
}

} // namespace vr
