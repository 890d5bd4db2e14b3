#pragma once

// What the robot's body and camera allow, as the panel commands them and the
// virtual robot carries them out.
namespace vaibo {

/// Head angles in degrees: pan positive to the left, tilt positive upwards.
inline constexpr int kPanLimit = 90;
inline constexpr int kTiltDown = -45;
inline constexpr int kTiltUp = 15;

/// The camera's picture, in pixels.
inline constexpr int kPictureWidth = 208;
inline constexpr int kPictureHeight = 160;

} // namespace vaibo
