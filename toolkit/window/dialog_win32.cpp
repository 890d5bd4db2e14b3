// The dialog as a window of the system's dialog manager, made from the
// template in memory; the dialog procedure turns each message into a window
// event for the routing table.
#include "toolkit/window/dialog.h"

#include "toolkit/window/controls.h"
#include "toolkit/window/dialogtemplate_win32.h"

#include <map>
#include <vector>

namespace tk {

class DialogWindow
{
public:
    explicit DialogWindow(Dialog &dialog) : m_dialog(dialog), m_template(inMemoryTemplate(dialog.dialogTemplate())) {}

    ~DialogWindow()
    {
        if (m_handle != nullptr)
            ::DestroyWindow(m_handle);
    }

    DialogWindow(const DialogWindow &) = delete;
    DialogWindow &operator=(const DialogWindow &) = delete;

    const DLGTEMPLATE *layout() const { return reinterpret_cast<const DLGTEMPLATE *>(m_template.data()); }

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            auto *self = reinterpret_cast<DialogWindow *>(lParam);
            ::SetWindowLongPtrW(window, DWLP_USER, lParam);
            self->m_handle = window;
            self->centre();
            return self->m_dialog.onInitDialog() ? TRUE : FALSE;
        }
        auto *self = reinterpret_cast<DialogWindow *>(::GetWindowLongPtrW(window, DWLP_USER));
        if (self == nullptr)
            return FALSE;
        if (message == WM_NCDESTROY) {
            self->m_handle = nullptr;
            return FALSE;
        }
        return self->handle(message, wParam, lParam);
    }

    HWND m_handle = nullptr;
    std::map<UINT, unsigned> m_timers; // id -> period: the system keeps no record to ask
    bool m_paintLeftToSystem = false;

private:
    // A template at (0, 0) opens centred over its owner, or in the work area
    // of the screen when it has none.
    void centre() const
    {
        const DialogTemplate &layout = m_dialog.dialogTemplate();
        if (layout.x != 0 || layout.y != 0)
            return;
        RECT area;
        HWND owner = ::GetWindow(m_handle, GW_OWNER);
        if (owner != nullptr) {
            ::GetWindowRect(owner, &area);
        } else {
            MONITORINFO monitor{sizeof monitor, {}, {}, 0};
            ::GetMonitorInfoW(::MonitorFromWindow(m_handle, MONITOR_DEFAULTTOPRIMARY), &monitor);
            area = monitor.rcWork;
        }
        RECT frame;
        ::GetWindowRect(m_handle, &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        ::SetWindowPos(m_handle, nullptr, area.left + (area.right - area.left - width) / 2,
                       area.top + (area.bottom - area.top - height) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = 0;
        switch (message) {
        case WM_COMMAND:
            m_dialog.dispatch({.kind = EventKind::Command,
                               .id = LOWORD(wParam),
                               .code = HIWORD(wParam),
                               .control = reinterpret_cast<HWND>(lParam)});
            return TRUE;
        case WM_NOTIFY: {
            const auto *header = reinterpret_cast<const NMHDR *>(lParam);
            m_dialog.dispatch({.kind = EventKind::Notify,
                               .id = static_cast<int>(header->idFrom),
                               .code = static_cast<int>(header->code),
                               .control = header->hwndFrom,
                               .result = &result});
            ::SetWindowLongPtrW(m_handle, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            m_dialog.dispatch({.kind = message == WM_HSCROLL ? EventKind::HScroll : EventKind::VScroll,
                               .code = LOWORD(wParam),
                               .position = static_cast<short>(HIWORD(wParam)),
                               .control = reinterpret_cast<HWND>(lParam)});
            return TRUE;
        case WM_TIMER:
            m_dialog.dispatch({.kind = EventKind::Timer, .id = static_cast<int>(wParam)});
            return TRUE;
        case WM_SYSCOMMAND:
            m_dialog.dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(wParam), .lParam = lParam});
            return TRUE;
        case WM_PAINT:
            m_paintLeftToSystem = false;
            m_dialog.dispatch({.kind = EventKind::Paint});
            return m_paintLeftToSystem ? FALSE : TRUE;
        case WM_QUERYDRAGICON: {
            HICON icon = nullptr;
            m_dialog.dispatch({.kind = EventKind::QueryDragIcon, .icon = &icon});
            return reinterpret_cast<INT_PTR>(icon);
        }
        case WM_ACTIVATE:
            // The dialog manager saves or restores the focus after this.
            m_dialog.dispatch({.kind = EventKind::Activate, .code = LOWORD(wParam) != WA_INACTIVE ? 1 : 0});
            return FALSE;
        default:
            break;
        }
        if (message >= 0xC000 && message <= 0xFFFF) {
            // A registered message; its result goes where the system reads it.
            m_dialog.dispatch({.kind = EventKind::Message,
                               .message = message,
                               .wParam = wParam,
                               .lParam = lParam,
                               .result = &result});
            ::SetWindowLongPtrW(m_handle, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }

    Dialog &m_dialog;
    std::vector<DWORD> m_template;
};

Dialog::Dialog(const DialogTemplate &dialogTemplate, Dialog *owner)
    : m_template(dialogTemplate)
    , m_owner(owner)
    , m_window(std::make_unique<DialogWindow>(*this))
{}

Dialog::~Dialog() = default;

void Dialog::create()
{
    if (m_created)
        return;
    m_created = true;
    ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), m_window->layout(),
                                 m_owner != nullptr ? m_owner->handle() : nullptr, &DialogWindow::procedure,
                                 reinterpret_cast<LPARAM>(m_window.get()));
}

int Dialog::doModal()
{
    m_created = true;
    return static_cast<int>(::DialogBoxIndirectParamW(
        ::GetModuleHandleW(nullptr), m_window->layout(), m_owner != nullptr ? m_owner->handle() : nullptr,
        &DialogWindow::procedure, reinterpret_cast<LPARAM>(m_window.get())));
}

void Dialog::endDialog(int result)
{
    m_result = result;
    ::EndDialog(handle(), result);
}

void Dialog::show()
{
    ::ShowWindow(handle(), SW_SHOW);
}

HWND Dialog::handle() const
{
    return m_window->m_handle;
}

HWND Dialog::item(int id) const
{
    return ::GetDlgItem(handle(), id);
}

bool Dialog::setTimer(UINT id, unsigned milliseconds)
{
    if (::SetTimer(handle(), id, milliseconds, nullptr) == 0)
        return false;
    m_window->m_timers[id] = milliseconds;
    return true;
}

bool Dialog::killTimer(UINT id)
{
    m_window->m_timers.erase(id);
    return ::KillTimer(handle(), id) != FALSE;
}

unsigned Dialog::timerInterval(UINT id) const
{
    const auto found = m_window->m_timers.find(id);
    return found == m_window->m_timers.end() ? 0 : found->second;
}

std::optional<Menu> Dialog::systemMenu()
{
    if (::GetSystemMenu(handle(), FALSE) == nullptr)
        return std::nullopt;
    return Menu(handle());
}

void Dialog::setIcon(HICON icon)
{
    ::SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool Dialog::isMinimized() const
{
    return ::IsIconic(handle()) != FALSE;
}

void Dialog::defaultProcessing(const WindowEvent &event)
{
    switch (event.kind) {
    case EventKind::Command:
        if (isEndCommand(event))
            endDialog(event.id);
        break;
    case EventKind::SysCommand:
        ::DefWindowProcW(handle(), WM_SYSCOMMAND, static_cast<WPARAM>(event.id), event.lParam);
        break;
    case EventKind::Paint:
        // Painting can only happen inside the system's own handling of it.
        m_window->m_paintLeftToSystem = true;
        break;
    default:
        break;
    }
}

void Dialog::paintIcon(HICON icon)
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(handle(), &paint);
    ::SendMessageW(handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(handle(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(handle(), &paint);
}

} // namespace tk
