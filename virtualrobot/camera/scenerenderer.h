#pragma once

#include "framework/robot.h"
#include "virtualrobot/model/world.h"

#include <array>
#include <cstdint>

namespace vr {

/// Size of a camera picture, in pixels.
constexpr int kFrameWidth = vaibo::kPictureWidth;
constexpr int kFrameHeight = vaibo::kPictureHeight;
/// Bytes of an RGB camera picture.
constexpr int kFrameBytes = kFrameWidth * kFrameHeight * 3;
/// The camera's horizontal field of view, in degrees.
constexpr float kHorizontalFieldOfView = 56.9f;

/// Draws what the robot's camera sees: floor, walls and ceiling of the room,
/// the charging station, the ball and the pink bone. Rays are cast per
/// pixel against the room, rows that see only floor or ceiling in one sweep;
/// the small things are tested only inside the rectangle they cover on the
/// picture, and only on rays that meet their bounding sphere, so a frame
/// costs about 0.2 ms.
class SceneRenderer
{
public:
    SceneRenderer();

    /// Renders the scene as packed RGB rows, top row first, into rgb, which
    /// holds kFrameBytes bytes.
    void render(const Scene &scene, std::uint8_t *rgb);

private:
    struct Ray;
    struct Camera;
    struct Thing;

    void renderRoom(const Camera &camera, std::uint8_t *rgb);
    void renderThing(const Camera &camera, const Thing &thing, std::uint8_t *rgb);

    // Picture-plane coordinates of each column and row, and the shade
    // that distance gives.
    std::array<float, kFrameWidth> m_columnX{};
    std::array<float, kFrameHeight> m_rowY{};
    std::array<std::uint16_t, 256> m_distanceShade{};
    // Ray parameter of the nearest surface per pixel, for the small things.
    std::array<float, kFrameWidth * kFrameHeight> m_depth{};
};

} // namespace vr
