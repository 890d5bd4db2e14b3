#pragma once

#include "framework/vaibocodes.h"
#include "protocol/operation.h"
#include "vaiboclient/framestore.h"
#include "vaiboclient/jpegdecoder.h"
#include "vaiboclient/networklink.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vaibo {

/// Failure results of the client's operations, as the panel reads them.
namespace failure {
constexpr int kConnectInvalidAddress = -1;
constexpr int kConnectBusy = -2;
constexpr int kDisconnect = -1;
constexpr int kExternalControl = 0;
constexpr int kRequestNetService = 0;
constexpr int kCommand = -1;
constexpr int kImageGetData = -1;
constexpr int kImageSetWindowHandle = -1;
} // namespace failure

/// The client's work that needs no window: the link to a robot, the image
/// transport's state and the camera frames, decoded at the size they are
/// shown at. Operations are called on the owner's thread; the owner hears
/// of the link and of frames to announce on the link's thread.
class Session final : public NetworkLink::Listener
{
public:
    /// Told on the link's thread.
    class Observer
    {
    public:
        virtual ~Observer() = default;
        /// The link came up or ended; each accepted connect ends in one down.
        virtual void linkChanged(bool up) = 0;
        /// A frame of this many bytes is ready to announce.
        virtual void frameReady(std::size_t size) = 0;
    };

    explicit Session(Observer &observer) : m_observer(observer) {}

    /// 0 when the request is accepted, kConnectInvalidAddress or
    /// kConnectBusy otherwise.
    int connect(const char *address);
    /// 0 when a link or attempt is being closed, kDisconnect when there is
    /// none.
    int disconnect();
    /// The robot's result for the operation, or failureResult when there is
    /// no link, no answer in time, or the link ends meanwhile.
    int call(protocol::Operation operation, const std::vector<std::int32_t> &arguments, int failureResult);

    int imageTransportState() const { return m_imageState; }
    int imageInit();
    int imageOpen();
    int imageClose();
    /// Copies the announced frame; see FrameStore::copyAnnounced.
    int copyFrame(unsigned char *buffer, int size) const { return m_store.copyAnnounced(buffer, size); }
    /// The owner has handled an announcement: the waiting frame, if any, is
    /// ready in its place.
    void announcementHandled();

    FrameStore &store() { return m_store; }

private:
    void linkUp() override;
    void linkDown() override;
    void linkChanged(bool up);
    void frameArrived(protocol::Frame &&frame) override;
    void clockSampled(FrameStore::Clock::time_point sent, FrameStore::Clock::time_point received,
                      std::uint64_t robotUs) override;

    Observer &m_observer;
    int m_imageState = kImageTransportClosed;
    bool m_imageInitialised = false;
    FrameStore m_store;
    JpegDecoder m_decoder;
    // Last: its thread starts once everything above exists and stops before
    // any of it goes.
    NetworkLink m_link{*this};
};

} // namespace vaibo
