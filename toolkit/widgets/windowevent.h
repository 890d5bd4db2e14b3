#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/win32types.h"

class QIcon;
class QWidget;

namespace tk {

// Notification codes, with their Win32 values.
constexpr int BN_CLICKED = 0;
constexpr int LBN_DBLCLK = 2;
constexpr int TCN_SELCHANGE = -551;

// Trackbar scroll codes.
constexpr int TB_LINEUP = 0;
constexpr int TB_LINEDOWN = 1;
constexpr int TB_PAGEUP = 2;
constexpr int TB_PAGEDOWN = 3;
constexpr int TB_THUMBPOSITION = 4;
constexpr int TB_THUMBTRACK = 5;
constexpr int TB_TOP = 6;
constexpr int TB_BOTTOM = 7;
constexpr int TB_ENDTRACK = 8;

// System commands. The low four bits of a command id are the system's own:
// compare ids under the mask.
constexpr UINT kSysCommandMask = 0xFFF0;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;

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
    QWidget *control = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT *result = nullptr;
    QIcon *icon = nullptr; // QueryDragIcon: the answer
};

} // namespace tk
