#pragma once

#include "toolkit/core/win32types.h"
#include "vaiboclient/session.h"

#include <memory>

namespace vaibo {

class PanePainter;
class WindowThread;

/// Everything behind CVAIBO: the session with the robot, the window it
/// reports to and the painting of the pane. Link events and frames come
/// from the link's thread and reach the window as posted messages.
class Client final : public Session::Observer
{
public:
    explicit Client(HWND window);
    ~Client() override;

    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    Session &session() { return m_session; }
    /// Paints into the pane from now on; kImageSetWindowHandle when it is no
    /// widget.
    int setPane(HWND pane);

private:
    void linkChanged(bool up) override;
    void frameReady(std::size_t size) override;

    HWND m_window;
    const UINT m_connectMessage;
    const UINT m_disconnectMessage;
    const UINT m_imageUpdateMessage;
    std::unique_ptr<WindowThread> m_windowThread;
    std::unique_ptr<PanePainter> m_painter;
    // Last: its link's thread stops before anything above goes.
    Session m_session{*this};
};

} // namespace vaibo
