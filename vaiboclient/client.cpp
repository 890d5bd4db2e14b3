#include "vaiboclient/client.h"

#include "framework/vaibomessages.h"
#include "toolkit/core/clock.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/panepainter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vaibo {

// Posted right behind each frame announcement to an object on the window's
// thread, so it is handled once the window's own handler has returned: only
// then may the next frame be announced.
class AnnouncementTracker : public QObject
{
public:
    explicit AnnouncementTracker(Client &client) : m_client(client) {}

    static QEvent::Type eventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

protected:
    void customEvent(QEvent *event) override
    {
        if (event->type() == eventType())
            m_client.session().announcementHandled();
    }

private:
    Client &m_client;
};

Client::Client(HWND window)
    : m_window(window)
    , m_connectMessage(tk::registerWindowMessage(kConnectMessage))
    , m_disconnectMessage(tk::registerWindowMessage(kDisconnectMessage))
    , m_imageUpdateMessage(tk::registerWindowMessage(kImageUpdateMessage))
    , m_tracker(std::make_unique<AnnouncementTracker>(*this))
{
    // Made once the session exists: the painter reads its frame store.
    m_painter = std::make_unique<PanePainter>(m_session.store());
    if (m_window != nullptr) {
        m_tracker->moveToThread(m_window->thread());
        m_painter->moveToThread(m_window->thread());
    }
}

Client::~Client() = default;

int Client::setPane(HWND pane)
{
    auto *widget = qobject_cast<QWidget *>(pane);
    if (widget == nullptr)
        return failure::kImageSetWindowHandle;
    m_painter->setPane(widget);
    return 0;
}

void Client::linkChanged(bool up)
{
    QMetaObject::invokeMethod(m_painter.get(), &PanePainter::refresh, Qt::QueuedConnection);
    tk::postMessage(m_window, up ? m_connectMessage : m_disconnectMessage, 0, 0);
}

void Client::frameReady(std::size_t size)
{
    if (!tk::postMessage(m_window, m_imageUpdateMessage, 0, static_cast<LPARAM>(size)))
        return;
    QCoreApplication::postEvent(m_tracker.get(), new QEvent(AnnouncementTracker::eventType()));
}

} // namespace vaibo
