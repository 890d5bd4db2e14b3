#pragma once

namespace robotlink {

/// Where the link to the robot stands. Only Online lets commands through;
/// the two waiting states act as Offline for everything else.
enum class LinkState : int {
    Offline = 0,
    Online = 1,
    Connecting = 2,
    Disconnecting = 3,
};

} // namespace robotlink
