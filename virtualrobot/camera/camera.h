#pragma once

#include "virtualrobot/camera/jpegencoder.h"
#include "virtualrobot/camera/scenerenderer.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vr {

/// The robot's camera: renders the scene and hands out the JPEG picture.
class Camera
{
public:
    /// Takes one picture of the scene into jpeg. Returns false, with jpeg
    /// empty, when it could not be encoded.
    bool capture(const Scene &scene, std::vector<std::uint8_t> &jpeg);
    /// The JPEG quality of the pictures taken from now on, 1 to 100.
    void setQuality(int quality) { m_encoder.setQuality(quality); }

private:
    SceneRenderer m_renderer;
    JpegEncoder m_encoder;
    std::array<std::uint8_t, kFrameBytes> m_rgb{};
};

} // namespace vr
