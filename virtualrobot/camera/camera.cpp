#include "virtualrobot/camera/camera.h"

namespace vr {

bool Camera::capture(const Scene &scene, std::vector<std::uint8_t> &jpeg)
{
    m_renderer.render(scene, m_rgb.data());
    return m_encoder.encode(m_rgb.data(), kFrameWidth, kFrameHeight, jpeg);
}

} // namespace vr
