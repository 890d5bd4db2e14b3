#pragma once

#include "toolkit/core/windowevent.h"

#include <initializer_list>
#include <type_traits>
#include <variant>
#include <vector>

namespace tk {

/// Routes window events to handler methods of a window class, first matching
/// row wins; an event that matches no row is left to default processing.
template <class Window>
class RouteTable
{
public:
    using Click = void (Window::*)();
    using Notification = void (Window::*)(LRESULT *result);
    using Message = LRESULT (Window::*)(WPARAM wParam, LPARAM lParam);
    using Scroll = void (Window::*)(int code, int position, HWND control);
    using Timer = void (Window::*)(UINT id);
    using SysCommand = void (Window::*)(UINT id, LPARAM lParam);
    using DragIcon = HICON (Window::*)();
    using Activation = void (Window::*)(int state);

    struct Route
    {
        EventKind kind;
        int id;
        int code;
        const UINT *message; // registered messages get their ids at run time
        std::variant<Click, Notification, Message, Scroll, Timer, SysCommand, DragIcon, Activation> handler;
    };

    // Each row names what it connects: the control and what happened to it,
    // or the message, and the handler method.

    /// The push button with this id was clicked (WM_COMMAND, BN_CLICKED).
    static Route clicked(int id, Click handler) { return {EventKind::Command, id, BN_CLICKED, nullptr, handler}; }
    /// The control with this id sent this command code (WM_COMMAND).
    static Route command(int id, int code, Click handler) { return {EventKind::Command, id, code, nullptr, handler}; }
    /// The control with this id sent this notification (WM_NOTIFY).
    static Route notify(int id, int code, Notification handler) { return {EventKind::Notify, id, code, nullptr, handler}; }
    /// A registered window message arrived; its id is read when it comes.
    static Route registeredMessage(const UINT &id, Message handler) { return {EventKind::Message, 0, 0, &id, handler}; }
    static Route hscroll(Scroll handler) { return {EventKind::HScroll, 0, 0, nullptr, handler}; }
    static Route vscroll(Scroll handler) { return {EventKind::VScroll, 0, 0, nullptr, handler}; }
    static Route timer(Timer handler) { return {EventKind::Timer, 0, 0, nullptr, handler}; }
    static Route sysCommand(SysCommand handler) { return {EventKind::SysCommand, 0, 0, nullptr, handler}; }
    static Route paint(Click handler) { return {EventKind::Paint, 0, 0, nullptr, handler}; }
    static Route queryDragIcon(DragIcon handler) { return {EventKind::QueryDragIcon, 0, 0, nullptr, handler}; }
    static Route activate(Activation handler) { return {EventKind::Activate, 0, 0, nullptr, handler}; }

    RouteTable(std::initializer_list<Route> routes) : m_routes(routes) {}

    /// Calls the handler of the first matching row; false when none matches.
    bool dispatch(Window &window, const WindowEvent &event) const
    {
        for (const Route &route : m_routes) {
            if (matches(route, event)) {
                call(window, route, event);
                return true;
            }
        }
        return false;
    }

private:
    static bool matches(const Route &route, const WindowEvent &event)
    {
        if (route.kind != event.kind)
            return false;
        switch (event.kind) {
        case EventKind::Command:
        case EventKind::Notify:
            return route.id == event.id && route.code == event.code;
        case EventKind::Message:
            return *route.message == event.message;
        default:
            return true;
        }
    }

    static void call(Window &window, const Route &route, const WindowEvent &event)
    {
        std::visit(
            [&](auto handler) {
                using H = decltype(handler);
                if constexpr (std::is_same_v<H, Click>) {
                    (window.*handler)();
                } else if constexpr (std::is_same_v<H, Notification>) {
                    (window.*handler)(event.result);
                } else if constexpr (std::is_same_v<H, Message>) {
                    const LRESULT result = (window.*handler)(event.wParam, event.lParam);
                    if (event.result != nullptr)
                        *event.result = result;
                } else if constexpr (std::is_same_v<H, Scroll>) {
                    (window.*handler)(event.code, event.position, event.control);
                } else if constexpr (std::is_same_v<H, Timer>) {
                    (window.*handler)(static_cast<UINT>(event.id));
                } else if constexpr (std::is_same_v<H, SysCommand>) {
                    (window.*handler)(static_cast<UINT>(event.id), event.lParam);
                } else if constexpr (std::is_same_v<H, DragIcon>) {
                    const HICON result = (window.*handler)();
                    if (event.icon != nullptr)
                        *event.icon = result;
                } else {
                    (window.*handler)(event.code);
                }
            },
            route.handler);
    }

    std::vector<Route> m_routes;
};

} // namespace tk
