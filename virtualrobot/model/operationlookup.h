#pragma once

#include "protocol/operation.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace vr {

/// The robot operations a controller can ask for: those of the link
/// protocol, with their codes.
using Operation = protocol::Operation;

/// Number of operations; their codes run from 1 to this.
inline constexpr std::size_t kOperationCount = static_cast<std::size_t>(Operation::ChangeHeadAngle);

/// The operation's place in a table of kOperationCount entries.
constexpr std::size_t indexOf(Operation operation)
{
    return static_cast<std::size_t>(operation) - 1;
}

/// The operation with that name, compared without regard to case; for what
/// a person types.
std::optional<Operation> operationFromName(std::string_view name);

} // namespace vr
