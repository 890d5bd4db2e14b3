#pragma once

#include "framework/vaibomessages.h"
#include "toolkit/core/win32types.h"

#include <array>

namespace robotlink {

/// Ids of the client library's window messages, in the order of their
/// names, registered while the program loads, before anything else runs.
using VaiboMessageIds = std::array<UINT, vaibo::kMessageNames.size()>;
extern const VaiboMessageIds kVaiboMessageIds;

extern const UINT &kConnectMessageId;
extern const UINT &kDisconnectMessageId;
extern const UINT &kImageUpdateMessageId;

} // namespace robotlink
