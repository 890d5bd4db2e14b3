// The string table and the icon, read from the program's own resources
// (korvan.rc.in).
#include "res/strings.h"

#include "res/resource.h"
#include "toolkit/core/utf16.h"

namespace res {

std::string loadString(int id)
{
    // With a zero length the system hands out a pointer into the resource.
    const wchar_t *text = nullptr;
    const int length =
        ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? tk::narrow({text, static_cast<std::size_t>(length)}) : std::string();
}

HICON applicationIcon()
{
    // A shared icon: the system keeps it for the program's lifetime.
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0,
                                           0, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace res
