#pragma once

#include "win32types.h"

#include <QEvent>

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

/// A registered message as it arrives in a window's event queue.
class WindowMessageEvent : public QEvent
{
public:
    WindowMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);

    static QEvent::Type eventType();

    UINT message() const { return m_message; }
    WPARAM wParam() const { return m_wParam; }
    LPARAM lParam() const { return m_lParam; }

private:
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

/// Queues a message for a window; safe from any thread. Returns false when
/// there is no window or no application to deliver it.
bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tk
