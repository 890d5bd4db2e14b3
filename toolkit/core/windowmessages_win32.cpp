#include "windowmessages.h"

namespace tk {

UINT detail::newMessageId(const char *name, std::size_t)
{
    return ::RegisterWindowMessageA(name);
}

bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return window != nullptr && ::PostMessageW(window, message, wParam, lParam) != FALSE;
}

} // namespace tk
