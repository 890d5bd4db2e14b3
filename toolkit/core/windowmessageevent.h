#pragma once

#include "win32types.h"

#include <QEvent>

namespace tk {

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

} // namespace tk
