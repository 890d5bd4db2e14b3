// A person at the Win32 window: mouse and key messages to the real controls,
// run through the window's message loop as the system would run them.
#include "tests/support/paneluser.h"

#include "toolkit/core/utf16.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

namespace {

// The system's keys, in the order of PanelUser::Key.
constexpr std::array<WPARAM, 10> kKeys{VK_ESCAPE, VK_RETURN, VK_TAB,  VK_LEFT, VK_RIGHT,
                                       VK_UP,     VK_DOWN,   VK_NEXT, VK_HOME, VK_END};

constexpr UINT_PTR kWatchId = 1;

HWND control(const CRemoteDlg &window, int id)
{
    HWND handle = window.item(id);
    EXPECT_NE(handle, nullptr) << "no control " << id;
    return handle;
}

LPARAM at(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

POINT centreOf(const RECT &area)
{
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

// The press and release of the left button at a point of a control, and
// for a double click the second press as the system reports it.
void clickIn(HWND target, POINT point, bool twice = false)
{
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at(point));
    ::PostMessageW(target, WM_LBUTTONUP, 0, at(point));
    if (twice) {
        ::PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at(point));
        ::PostMessageW(target, WM_LBUTTONUP, 0, at(point));
    }
}

// Watches the window's thread for the next modal box, from a timer whose
// messages the box's own message loop delivers.
std::function<void(HWND)> g_boxCheck;

BOOL CALLBACK findBox(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
        ::GetWindow(window, GW_OWNER) != nullptr) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK watchForBox(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &findBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || !g_boxCheck)
        return;
    ::KillTimer(nullptr, id);
    const std::function<void(HWND)> check = std::move(g_boxCheck);
    g_boxCheck = nullptr;
    check(box);
    ::EndDialog(box, IDOK);
}

// Runs what is queued for the thread, as its message loop would, with a
// dialog's keyboard handling when one is given.
void runQueued(HWND dialog)
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && ::IsDialogMessageW(dialog, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Records each new text of the status line; setting the text it already
// shows changes nothing a person sees.
LRESULT CALLBACK recordStatus(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR user)
{
    if (message != WM_SETTEXT)
        return ::DefSubclassProc(window, message, wParam, lParam);
    const std::string before = tk::Control(window).text();
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    const std::string after = tk::Control(window).text();
    if (after != before)
        reinterpret_cast<PanelUser *>(user)->statusChanged(after);
    return result;
}

LRESULT CALLBACK countPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR user)
{
    if (message == WM_PAINT)
        ++*reinterpret_cast<int *>(user);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

bool PanelUser::show(CRemoteDlg &window)
{
    m_window = &window;
    statusHistory.clear();
    ::SetWindowSubclass(control(window, IDC_STATUS), &recordStatus, 1, reinterpret_cast<DWORD_PTR>(this));
    window.show();
    pump();
    return ::IsWindowVisible(window.handle()) != FALSE;
}

void PanelUser::click(int id)
{
    HWND target = control(*m_window, id);
    RECT area;
    ::GetClientRect(target, &area);
    clickIn(target, centreOf(area));
    pump();
}

void PanelUser::clickTab(int id, int index)
{
    HWND tabs = control(*m_window, id);
    RECT area{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area));
    clickIn(tabs, centreOf(area));
    pump();
}

void PanelUser::doubleClickRow(int id, int row)
{
    HWND list = control(*m_window, id);
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    RECT area{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&area));
    clickIn(list, centreOf(area), true);
    pump();
}

void PanelUser::focus(int id)
{
    ::SetActiveWindow(m_window->handle());
    ::SetFocus(control(*m_window, id));
    ASSERT_EQ(::GetFocus(), control(*m_window, id));
}

void PanelUser::pressKey(Key key)
{
    const WPARAM code = kKeys[static_cast<std::size_t>(key)];
    HWND target = ::GetFocus() != nullptr ? ::GetFocus() : m_window->handle();
    ::PostMessageW(target, WM_KEYDOWN, code, 1);
    ::PostMessageW(target, WM_KEYUP, code, static_cast<LPARAM>(0xC0000001u));
    pump();
}

void PanelUser::clickCloseBox()
{
    // What the close box raises once clicked.
    ::PostMessageW(m_window->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
}

void PanelUser::pump()
{
    runQueued(m_window != nullptr ? m_window->handle() : nullptr);
}

std::string PanelUser::text(int id) const
{
    return tk::Control(control(*m_window, id)).text();
}

bool PanelUser::isEnabled(int id) const
{
    return ::IsWindowEnabled(control(*m_window, id)) != FALSE;
}

bool PanelUser::isVisible(int id) const
{
    return ::IsWindowVisible(control(*m_window, id)) != FALSE;
}

bool PanelUser::isOpen() const
{
    return ::IsWindowVisible(m_window->handle()) != FALSE;
}

std::uint32_t PanelUser::colourInMiddle(int id) const
{
    HWND target = control(*m_window, id);
    RECT area;
    ::GetClientRect(target, &area);
    const POINT middle = centreOf(area);
    HDC dc = ::GetDC(target);
    const COLORREF colour = ::GetPixel(dc, middle.x, middle.y);
    ::ReleaseDC(target, dc);
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::vector<PanelUser::MenuItem> PanelUser::windowMenu() const
{
    std::vector<MenuItem> items;
    HMENU menu = ::GetSystemMenu(m_window->handle(), FALSE);
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        const UINT id = ::GetMenuItemID(menu, position);
        items.push_back({id == static_cast<UINT>(-1) ? 0 : id, tk::narrow(text)});
    }
    return items;
}

void PanelUser::whenBoxOpens(std::function<void(HWND box)> check)
{
    g_boxCheck = std::move(check);
    ::SetTimer(nullptr, kWatchId, 10, &watchForBox);
}

std::string PanelUser::shownText(HWND box, int id)
{
    const tk::Control shown(::GetDlgItem(box, id));
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (shown.text().empty() && std::chrono::steady_clock::now() < giveUp) {
        runQueued(box);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return shown.text();
}

HWND PanelUser::ownerOf(HWND box)
{
    return ::GetWindow(box, GW_OWNER);
}

void PanelUser::countPaints(int id)
{
    m_paints = 0;
    ::SetWindowSubclass(control(*m_window, id), &countPaint, 2, reinterpret_cast<DWORD_PTR>(&m_paints));
}
