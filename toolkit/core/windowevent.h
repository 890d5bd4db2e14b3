#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/win32types.h"

namespace tk {

// The system's command ids can carry flags in their low four bits:
// compare ids under the mask.
constexpr UINT kSysCommandMask = 0xFFF0;

enum class EventKind {
    Command,       // id: control or command id; code: notification code
    Notify,        // id: control id; code: notification code; result: reply slot
    HScroll,       // code, position, control
    VScroll,       // code, position, control
    Timer,         // id: timer id
    Message,       // a registered message: message, wParam, lParam
    SysCommand,    // id: command id
    Paint,
    QueryDragIcon,
    Activate,      // code: 0 inactive, 1 active
};

/// One window event, as the routing table of a window sees it.
struct WindowEvent
{
    EventKind kind;
    int id = 0;
    int code = 0;
    int position = 0;
    HWND control = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT *result = nullptr;
    HICON *icon = nullptr; // QueryDragIcon: the answer
};

/// Whether an event is a click of OK or Cancel, which ends a dialog unless
/// its handler says otherwise.
inline bool isEndCommand(const WindowEvent &event)
{
    return event.kind == EventKind::Command && event.code == BN_CLICKED && (event.id == IDOK || event.id == IDCANCEL);
}

} // namespace tk
