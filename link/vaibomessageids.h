#pragma once

#include "toolkit/core/win32types.h"

#include <array>

namespace robotlink {

/// Ids of the client library's 17 window messages, registered while the
/// program loads, before anything else runs.
extern const std::array<UINT, 17> kVaiboMessageIds;

extern const UINT &kConnectMessageId;
extern const UINT &kDisconnectMessageId;
extern const UINT &kImageUpdateMessageId;

} // namespace robotlink
