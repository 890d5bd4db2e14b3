#include "virtualrobot/model/world.h"

namespace vr {

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
