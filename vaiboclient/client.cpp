#include "vaiboclient/client.h"

#include "toolkit/core/clock.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/address.h"
#include "vaiboclient/panepainter.h"
#include "framework/vaibomessages.h"

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
            m_client.announcementHandled();
    }

private:
    Client &m_client;
};

Client::Client(HWND window)
    : m_window(window),
      m_connectMessage(tk::registerWindowMessage(kConnectMessage)),
      m_disconnectMessage(tk::registerWindowMessage(kDisconnectMessage)),
      m_imageUpdateMessage(tk::registerWindowMessage(kImageUpdateMessage)),
      m_tracker(std::make_unique<AnnouncementTracker>(*this)),
      m_painter(std::make_unique<PanePainter>(m_store))
{
    if (m_window != nullptr) {
        m_tracker->moveToThread(m_window->thread());
        m_painter->moveToThread(m_window->thread());
    }
}

Client::~Client() = default;

int Client::connect(const char *address)
{
    const std::optional<std::uint32_t> target = connectableAddress(address);
    if (!target)
        return failure::kConnectInvalidAddress;
    return m_link.open(*target) == NetworkLink::Outcome::Accepted ? 0 : failure::kConnectBusy;
}

int Client::disconnect()
{
    return m_link.close() == NetworkLink::Outcome::Accepted ? 0 : failure::kDisconnect;
}

int Client::call(protocol::Operation operation, const std::vector<std::int32_t> &arguments, int failureResult)
{
    return m_link.call(operation, arguments).value_or(failureResult);
}

int Client::imageInit()
{
    const int result = call(protocol::Operation::ImageInit, {}, failure::kCommand);
    if (result == 0)
        m_imageInitialised = true;
    return result;
}

int Client::imageOpen()
{
    if (!m_imageInitialised)
        return failure::kCommand;
    const int result = call(protocol::Operation::ImageOpen, {}, failure::kCommand);
    if (result == 0)
        m_imageState = kImageTransportOpen;
    return result;
}

int Client::imageClose()
{
    // Closing the client's side always succeeds; the robot is told if it can be.
    m_imageState = kImageTransportClosed;
    m_imageInitialised = false;
    return call(protocol::Operation::ImageClose, {}, failure::kCommand);
}

int Client::copyFrame(unsigned char *buffer, int size) const
{
    return m_store.copyAnnounced(buffer, size);
}

int Client::setPane(HWND pane)
{
    auto *widget = qobject_cast<QWidget *>(pane);
    if (widget == nullptr)
        return failure::kImageSetWindowHandle;
    m_painter->setPane(widget);
    return 0;
}

void Client::announcementHandled()
{
    if (const std::optional<std::size_t> size = m_store.announcementHandled())
        announce(*size);
}

void Client::linkUp()
{
    linkChanged(true);
    tk::postMessage(m_window, m_connectMessage, 0, 0);
}

void Client::linkDown()
{
    linkChanged(false);
    tk::postMessage(m_window, m_disconnectMessage, 0, 0);
}

void Client::linkChanged(bool up)
{
    // The pane tells at once whether its picture is live.
    m_store.setLinkUp(up, tk::now());
    QMetaObject::invokeMethod(m_painter.get(), &PanePainter::refresh, Qt::QueuedConnection);
}

void Client::frameArrived(protocol::Frame &&frame)
{
    const auto arrival = tk::now();
    QImage picture = m_decoder.decode(frame.jpeg.data(), frame.jpeg.size(), protocol::kMaxFrameSide);
    // Scaled here, off the window's thread, so painting it is a plain copy.
    const QSize paneSize = m_store.pictureSize();
    if (!picture.isNull() && !paneSize.isEmpty() && picture.size() != paneSize)
        picture = picture.scaled(paneSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (const std::optional<std::size_t> size =
            m_store.offer(std::move(frame.jpeg), std::move(picture), arrival, frame.timestampUs))
        announce(*size);
}

void Client::clockSampled(FrameStore::Clock::time_point sent, FrameStore::Clock::time_point received,
                          std::uint64_t robotUs)
{
    m_store.clockSampled(sent, received, robotUs);
}

void Client::announce(std::size_t size)
{
    if (!tk::postMessage(m_window, m_imageUpdateMessage, 0, static_cast<LPARAM>(size)))
        return;
    QCoreApplication::postEvent(m_tracker.get(), new QEvent(AnnouncementTracker::eventType()));
}

} // namespace vaibo
