#pragma once

#include "protocol/operation.h"
#include "toolkit/core/win32types.h"
#include "vaiboclient/framestore.h"
#include "vaiboclient/jpegdecoder.h"
#include "vaiboclient/networklink.h"
#include "framework/vaibocodes.h"

#include <memory>
#include <vector>

namespace vaibo {

class AnnouncementTracker;
class PanePainter;

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


/// Everything behind CVAIBO: the link to the robot, the image transport
/// state, the camera frames and the painting of the pane. Its operations
/// are called on the window's thread; link events and frames come from the
/// link's thread and reach the window as posted messages.
class Client final : public NetworkLink::Listener
{
public:
    explicit Client(HWND window);
    ~Client() override;

    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

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
    int copyFrame(unsigned char *buffer, int size) const;
    /// Paints into the pane from now on; kImageSetWindowHandle when it is no
    /// widget.
    int setPane(HWND pane);

    /// Called once the window has handled a frame announcement.
    void announcementHandled();

private:
    void linkUp() override;
    void linkDown() override;
    void linkChanged(bool up);
    void frameArrived(protocol::Frame &&frame) override;
    void clockSampled(FrameStore::Clock::time_point sent, FrameStore::Clock::time_point received,
                      std::uint64_t robotUs) override;
    void announce(std::size_t size);

    HWND m_window;
    const UINT m_connectMessage;
    const UINT m_disconnectMessage;
    const UINT m_imageUpdateMessage;
    int m_imageState = kImageTransportClosed;
    bool m_imageInitialised = false;
    FrameStore m_store;
    JpegDecoder m_decoder;
    std::unique_ptr<AnnouncementTracker> m_tracker;
    std::unique_ptr<PanePainter> m_painter;
    // Last: its thread starts once everything above exists and stops before
    // any of it goes.
    NetworkLink m_link{*this};
};

} // namespace vaibo
