#include "vaiboclient/session.h"

#include "toolkit/core/clock.h"
#include "vaiboclient/address.h"

namespace vaibo {

int Session::connect(const char *address)
{
    const std::optional<std::uint32_t> target = connectableAddress(address);
    if (!target)
        return failure::kConnectInvalidAddress;
    return m_link.open(*target) == NetworkLink::Outcome::Accepted ? 0 : failure::kConnectBusy;
}

int Session::disconnect()
{
    return m_link.close() == NetworkLink::Outcome::Accepted ? 0 : failure::kDisconnect;
}

int Session::call(protocol::Operation operation, const std::vector<std::int32_t> &arguments, int failureResult)
{
    return m_link.call(operation, arguments).value_or(failureResult);
}

int Session::imageInit()
{
    const int result = call(protocol::Operation::ImageInit, {}, failure::kCommand);
    if (result == 0)
        m_imageInitialised = true;
    return result;
}

int Session::imageOpen()
{
    if (!m_imageInitialised)
        return failure::kCommand;
    const int result = call(protocol::Operation::ImageOpen, {}, failure::kCommand);
    if (result == 0)
        m_imageState = kImageTransportOpen;
    return result;
}

int Session::imageClose()
{
    // Closing the client's side always succeeds; the robot is told if it can be.
    m_imageState = kImageTransportClosed;
    m_imageInitialised = false;
    return call(protocol::Operation::ImageClose, {}, failure::kCommand);
}

void Session::announcementHandled()
{
    if (const std::optional<std::size_t> size = m_store.announcementHandled())
        m_observer.frameReady(*size);
}

void Session::linkUp()
{
    linkChanged(true);
}

void Session::linkDown()
{
    linkChanged(false);
}

void Session::linkChanged(bool up)
{
    // The pane tells at once whether its picture is live.
    m_store.setLinkUp(up, tk::now());
    m_observer.linkChanged(up);
}

void Session::frameArrived(protocol::Frame &&frame)
{
    const auto arrival = tk::now();
    // Scaled here, off the window's thread, so painting it is a plain copy.
    Bitmap picture =
        m_decoder.decode(frame.jpeg.data(), frame.jpeg.size(), protocol::kMaxFrameSide, m_store.pictureSize());
    if (const std::optional<std::size_t> size =
            m_store.offer(std::move(frame.jpeg), std::move(picture), arrival, frame.timestampUs))
        m_observer.frameReady(*size);
}

void Session::clockSampled(FrameStore::Clock::time_point sent, FrameStore::Clock::time_point received,
                           std::uint64_t robotUs)
{
    m_store.clockSampled(sent, received, robotUs);
}

} // namespace vaibo
