#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The robot operations a Request can carry: one per remote call of the robot
// client. The client answers Connect, Disconnect, GetStateImageTP,
// ImageGetData and ImageSetWindowHandle itself, so they have no code.
namespace protocol {

/// Operation codes of a Request.
enum class Operation : std::uint16_t {
    ExternalControl = 1, ///< (mode)
    ImageInit = 2,
    ImageOpen = 3,
    ImageClose = 4,
    RequestNetService = 5, ///< (service)
    SendCmd = 6,           ///< (command, arg1, arg2, arg3, arg4, arg5)
    GetBatteryLevel = 7,
    SetPosture = 8, ///< (posture, option)
    MotionStop = 9,
    DoWalking = 10,       ///< (walk, degrees, distance, option)
    DoHeader = 11,        ///< (kind, option)
    PlayContents = 12,    ///< (mwcid, option)
    ChangeHeadAngle = 13, ///< (pan, tilt, speed, option)
};

/// The operation for a code, empty when the code names none.
std::optional<Operation> operationFromCode(std::uint16_t code);

/// How many arguments a request for the operation carries, exactly.
std::size_t argumentCount(Operation operation);

/// The operation's name as the client class spells it.
const char *operationName(Operation operation);

} // namespace protocol
