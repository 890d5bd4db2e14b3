#pragma once

#include "vaiboclient/bitmap.h"
#include "vaiboclient/clocksync.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace vaibo {

/// Camera frames between the network thread and the panel. A frame is
/// announced to the panel only while no announcement is pending; frames
/// arriving meanwhile replace one waiting frame, so however long the panel
/// stalls it has at most one announcement queued and then gets the newest
/// frame. The newest decoded picture is kept apart for painting.
class FrameStore
{
public:
    using Clock = std::chrono::steady_clock;

    /// What the painter needs of the newest picture.
    struct Picture
    {
        /// Shared, so that a paint copies no pixels; null before the first.
        std::shared_ptr<const Bitmap> image;
        /// When the robot took it, on the local clock; its arrival while the
        /// robot's clock is not known yet.
        Clock::time_point captured;
        /// The link's newest round trip; empty before the first.
        std::optional<std::chrono::microseconds> roundTrip;
        /// Frames that arrived in the second before the moment asked about.
        int framesPerSecond = 0;
        /// Whether the link is up.
        bool linkUp = false;
        /// Whether the picture came on the link that is up now.
        bool live = false;
    };

    /// A frame arrived (network thread). Returns the byte count to announce
    /// now, or nothing when an announcement is pending and the frame waits.
    /// A null picture (undecodable bytes) leaves the painted picture as it is.
    std::optional<std::size_t> offer(std::vector<std::uint8_t> bytes, Bitmap picture, Clock::time_point arrival,
                                     std::uint64_t capturedUs);

    /// A Ping sent at sent came back at received with the robot's clock
    /// (network thread).
    void clockSampled(Clock::time_point sent, Clock::time_point received, std::uint64_t robotUs);

    /// The panel has handled the pending announcement. Returns the byte
    /// count of the waiting frame, which is announced in its place, or
    /// nothing when no frame waits and nothing is pending any more.
    std::optional<std::size_t> announcementHandled();

    /// Copies the announced frame into buffer, at most size bytes. Returns
    /// the count copied, -1 when there is no buffer, no room or no frame.
    int copyAnnounced(unsigned char *buffer, int size) const;

    /// The newest decoded picture as of now; no image before the first.
    Picture picture(Clock::time_point now) const;

    /// The link came up or ended (network thread).
    void setLinkUp(bool up, Clock::time_point now);

    /// The size pictures are best decoded to: the pane's contents.
    void setPictureSize(Size size);
    Size pictureSize() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::uint8_t> m_announced;
    std::optional<std::vector<std::uint8_t>> m_waiting;
    bool m_pending = false;
    std::shared_ptr<const Bitmap> m_picture;
    Clock::time_point m_pictureArrival;
    std::uint64_t m_pictureCapturedUs = 0;
    ClockSync m_clock;
    std::deque<Clock::time_point> m_recentArrivals;
    bool m_linkUp = false;
    Clock::time_point m_linkUpSince;
    Size m_pictureSize;
};

} // namespace vaibo
