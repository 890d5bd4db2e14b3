#include "vaiboclient/client.h"

#include "framework/vaibomessages.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/panepainter.h"
#include "vaiboclient/windowthread.h"

namespace vaibo {

Client::Client(HWND window)
    : m_window(window)
    , m_connectMessage(tk::registerWindowMessage(kConnectMessage))
    , m_disconnectMessage(tk::registerWindowMessage(kDisconnectMessage))
    , m_imageUpdateMessage(tk::registerWindowMessage(kImageUpdateMessage))
    , m_windowThread(std::make_unique<WindowThread>(window))
{
    // Made once the session exists: the painter reads its frame store.
    m_painter = std::make_unique<PanePainter>(m_session.store());
}

Client::~Client() = default;

int Client::setPane(HWND pane)
{
    return m_painter->setPane(pane) ? 0 : failure::kImageSetWindowHandle;
}

void Client::linkChanged(bool up)
{
    m_windowThread->post([this] { m_painter->refresh(); });
    tk::postMessage(m_window, up ? m_connectMessage : m_disconnectMessage, 0, 0);
}

void Client::frameReady(std::size_t size)
{
    if (!tk::postMessage(m_window, m_imageUpdateMessage, 0, static_cast<LPARAM>(size)))
        return;
    // Runs once the window's handler of the announcement has returned: only
    // then may the next frame be announced.
    m_windowThread->post([this] { m_session.announcementHandled(); });
}

} // namespace vaibo
