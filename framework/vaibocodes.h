#pragma once

// The robot framework's codes, as its client library ships them: what the
// panel passes to CVAIBO and what a robot understands. Plain constants with
// no dependencies, so the panel, the client library and the virtual robot
// all take them from here.
namespace vaibo {

/// SetPosture's postures.
enum Posture : unsigned short { kPostureStand = 0, kPostureSit = 1, kPostureLieDown = 2 };

/// DoWalking's walks; straight ones take a distance in mm, turns degrees.
enum Walk : int { kWalkForward = 0, kWalkBack = 1, kWalkTurnLeft = 4, kWalkTurnRight = 7 };

/// SendCmd's image commands.
inline constexpr int APPCMD_IMAGE_PLAY = 33;
inline constexpr int APPCMD_IMAGE_STOP = 34;
inline constexpr int APPCMD_IMAGE_SETPARAM = 35;

/// RequestNetService's image service.
inline constexpr int kNetServiceImage = 2;

/// ExternalControl's mode that asks for remote control; granted, it is
/// also the result.
inline constexpr int kRemoteControl = 1;

/// GetStateImageTP while the image transport is not set up, and once it is.
inline constexpr int kImageTransportClosed = -150;
inline constexpr int kImageTransportOpen = 0;

/// Contents (MWCIDs) that the panel's buttons play and that move things in
/// a robot's room.
namespace mwcid {
inline constexpr int kRightFrontKick = 3141;
inline constexpr int kLeftFrontKick = 3142;
inline constexpr int kRightBackKick = 3143;
inline constexpr int kLeftBackKick = 3144;
inline constexpr int kGasAttack = 3000;
/// Takes the pink bone in the mouth.
inline constexpr int kTakeBone = 2894;
/// The bone game's steps, then putting the bone down.
inline constexpr int kHandOver = 2904;
inline constexpr int kSpinSitting = 2922;
inline constexpr int kSpinLying = 2921;
inline constexpr int kSpinLyingOther = 3098;
inline constexpr int kPutBone = 3129;
} // namespace mwcid

} // namespace vaibo
