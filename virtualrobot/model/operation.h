#pragma once

#include <optional>
#include <string_view>

namespace vr {

/// The robot operations a controller can ask for, named after the client
/// library's calls.
enum class Operation {
    ExternalControl,
    ImageInit,
    ImageOpen,
    RequestNetService,
    ImageClose,
    SendCmd,
    GetBatteryLevel,
    SetPosture,
    MotionStop,
    DoWalking,
    DoHeader,
    PlayContents,
    ChangeHeadAngle,
};

/// Number of operations.
constexpr int kOperationCount = static_cast<int>(Operation::ChangeHeadAngle) + 1;

/// The operation's name as the client library spells it.
std::string_view operationName(Operation operation);

/// The operation with that name, compared without regard to case.
std::optional<Operation> operationFromName(std::string_view name);

} // namespace vr
