#pragma once

#include "win32types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tk {

/// First id handed out for a registered message, as on Win32.
constexpr UINT kFirstRegisteredMessage = 0xC000;

/// Returns the process-wide id for a message name: the same name always gives
/// the same id, from any thread. Returns 0 for an empty name or when the id
/// space is used up.
UINT registerWindowMessage(const char *name);

/// Names registered so far, in the order they were first registered.
std::vector<std::string> registeredMessageNames();

/// Queues a message for a window; safe from any thread. Returns false when
/// there is no window or nothing to deliver it.
bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace detail {
/// The platform's id for a name not registered before in this process,
/// the count registered before it given; 0 when there is none.
UINT newMessageId(const char *name, std::size_t registeredBefore);
} // namespace detail

} // namespace tk
