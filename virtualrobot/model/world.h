#pragma once

#include <cmath>
#include <optional>

// The small room the robot lives in. Millimetres and degrees throughout;
// x runs east, y north, z up, and a heading of 0 faces east with positive
// angles turning left.
namespace vr {

/// A point or a velocity on the floor.
struct Vec2
{
    double x = 0;
    double y = 0;
};

/// How far apart two points are.
inline double distance(Vec2 a, Vec2 b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

namespace room {
/// Inner size of the room.
constexpr double kWidth = 3600;
constexpr double kDepth = 2700;
constexpr double kHeight = 2400;

/// Charging station against the north wall: a base plate and a back plate.
constexpr double kStationMinX = 850;
constexpr double kStationMaxX = 1250;
constexpr double kStationMinY = 2350;
constexpr double kStationBaseHeight = 40;
constexpr double kStationBackMinY = 2640;
constexpr double kStationBackHeight = 260;
/// The charging light on the back plate's face, at the station's middle.
constexpr double kStationLightHalfWidth = 25;
constexpr double kStationLightDepth = 6;
constexpr double kStationLightMinZ = 200;
constexpr double kStationLightMaxZ = 218;

/// Radius of the robot's body, seen from above.
constexpr double kRobotRadius = 160;
/// Radius of the ball.
constexpr double kBallRadius = 45;
/// Half the length of the bone's shaft, the shaft's radius, and the radius
/// of each of its four knobs.
constexpr double kBoneHalfLength = 60;
constexpr double kBoneShaftRadius = 12;
constexpr double kBoneKnobRadius = 17;
} // namespace room

/// The ball: where it lies and how fast it rolls.
struct Ball
{
    Vec2 position;
    Vec2 velocity;
};

/// The pink bone: centre, height of its centre above the floor, direction
/// of its shaft.
struct Bone
{
    Vec2 position;
    double height = room::kBoneKnobRadius;
    double angle = 0;
};

/// Where the camera is and where it looks: yaw as a heading, pitch upwards.
struct Viewpoint
{
    double x = 0;
    double y = 0;
    double z = 0;
    double yaw = 0;
    double pitch = 0;
};

/// The body's place on the floor and its heading in degrees.
struct Pose
{
    double x = 0;
    double y = 0;
    double heading = 0;
};

/// Where the robot, the ball and the bone are in a fresh room.
inline constexpr Pose kRobotStart{room::kWidth / 2, room::kDepth / 2, 0};
inline constexpr Ball kBallStart{{3000, 1150}, {}};
inline constexpr Bone kBoneStart{{2700, 1500}, room::kBoneKnobRadius, 90};

/// What a person can pick up and put down in the room.
enum class Thing { Robot, Ball, Bone };

/// A thing put down by hand: at a point, or, for the ball and the bone,
/// before the robot's feet; the robot may be turned as well.
struct Placement
{
    Thing thing = Thing::Ball;
    /// Where; none means in front of the robot.
    std::optional<Vec2> at;
    /// The robot's new heading; none keeps it.
    std::optional<double> heading;
};

/// Why a thing cannot go where it was put.
enum class Misplacement { OutsideRoom, InWall };

/// Whether a round thing of this radius fits at this point of the room:
/// nothing when it does. The charging station's back plate counts as wall;
/// its low base plate does not.
std::optional<Misplacement> misplacement(Vec2 at, double radius);

/// Lets the ball roll for this long: it slows down and bounces off the walls.
void rollBall(Ball &ball, double seconds);
/// Pushes the ball out of a round body of this radius centred there.
void shoveBall(Ball &ball, Vec2 centre, double radius);

/// Everything the camera can see that moves.
struct Scene
{
    Viewpoint camera;
    Ball ball;
    Bone bone;
};

} // namespace vr
