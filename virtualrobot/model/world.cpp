#include "virtualrobot/model/world.h"

#include <algorithm>
#include <cmath>

namespace vr {

namespace {

constexpr double kBallFriction = 600; // mm/s²
// The share of its speed the ball keeps off a wall.
constexpr double kWallBounce = 0.6;

} // namespace

void rollBall(Ball &ball, double seconds)
{
    Vec2 &position = ball.position;
    Vec2 &velocity = ball.velocity;
    const double speed = std::hypot(velocity.x, velocity.y);
    if (speed > 0) {
        position.x += velocity.x * seconds;
        position.y += velocity.y * seconds;
        const double slowed = std::max(0.0, speed - kBallFriction * seconds);
        velocity.x *= slowed / speed;
        velocity.y *= slowed / speed;
    }
    const auto bounce = [](double &coordinate, double &component, double high) {
        const double low = room::kBallRadius;
        high -= room::kBallRadius;
        if (coordinate < low || coordinate > high) {
            coordinate = std::clamp(coordinate, low, high);
            component = -component * kWallBounce;
        }
    };
    bounce(position.x, velocity.x, room::kWidth);
    bounce(position.y, velocity.y, room::kDepth);
}

void shoveBall(Ball &ball, Vec2 centre, double radius)
{
    Vec2 &position = ball.position;
    const double reach = radius + room::kBallRadius;
    const double gap = distance(position, centre);
    if (gap < reach && gap > 0) {
        position.x = centre.x + (position.x - centre.x) * reach / gap;
        position.y = centre.y + (position.y - centre.y) * reach / gap;
    }
}

std::optional<Misplacement> misplacement(Vec2 at, double radius)
{
    if (!(at.x >= 0 && at.x <= room::kWidth && at.y >= 0 && at.y <= room::kDepth))
        return Misplacement::OutsideRoom;
    const bool inOuterWall = at.x < radius || at.x > room::kWidth - radius || at.y < radius
                             || at.y > room::kDepth - radius;
    const bool inStationBack = at.x > room::kStationMinX - radius && at.x < room::kStationMaxX + radius
                               && at.y > room::kStationBackMinY - radius;
    if (inOuterWall || inStationBack)
        return Misplacement::InWall;
    return std::nullopt;
}

} // namespace vr
