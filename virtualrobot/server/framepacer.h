#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace vr {

/// Paces the camera frames of one link by what the link carries. The client
/// acknowledges every frame; from those acknowledgements and from the
/// link's bare round trip (the robot's own Ping), the pacer learns how long
/// a frame takes to pass the link's slowest stretch, and lets a new picture
/// be taken only once every frame before it should have passed it. So at
/// most about one frame waits in the link, and a Reply or Heartbeat queues
/// behind at most one. When the link cannot carry the full rate it lowers
/// the JPEG quality step by step down to a floor, and raises it again once
/// the link has room. Time is passed in; nothing here reads a clock.
class FramePacer
{
public:
    using Clock = std::chrono::steady_clock;

    /// Why the pictures go at the rate and quality they do.
    enum class Reason {
        Full,    ///< full rate and quality
        Link,    ///< the link carries no more
        Waiting, ///< a frame has waited over a second for its acknowledgement
    };

    /// JPEG qualities, from full down to the floor that keeps a picture useful.
    static constexpr int kFullQuality = 80;
    static constexpr int kFloorQuality = 40;

    explicit FramePacer(int framesPerSecond);

    /// A new link starts with nothing known of it.
    void reset() { m_link = {}; }
    /// The time between two pictures at the full rate.
    Clock::duration period() const { return m_period; }

    /// When the link has room for a new picture, now at the earliest; empty
    /// when only an acknowledgement or a Pong can make room.
    std::optional<Clock::time_point> opensAt(Clock::time_point now) const;
    /// Whether a new picture may be taken now.
    bool mayCapture(Clock::time_point now) const;

    /// A frame of these bytes left for the client.
    void sent(std::uint32_t sequence, std::size_t bytes, Clock::time_point now);
    /// The client acknowledged every frame up to this one. False when no
    /// such frame is outstanding: the client acknowledged a frame never sent.
    bool acknowledged(std::uint32_t sequence, Clock::time_point now);

    /// Whether the robot should send its Ping now: the link is empty of
    /// frames, so the Pong shows its bare round trip.
    bool pingDue(Clock::time_point now) const;
    /// The Ping left; returns the origin it carries.
    std::uint64_t pingSent(Clock::time_point now);
    /// A Pong came back. False when it answers no Ping of ours.
    bool pingAnswered(std::uint64_t origin, Clock::time_point now);

    int quality() const { return m_link.quality; }
    Reason reason(Clock::time_point now) const;

private:
    struct InFlight
    {
        std::uint32_t sequence;
        std::size_t bytes;
        Clock::time_point sentAt;
        // Whether the link was free when it left, so its acknowledgement
        // times the link alone.
        bool alone;
    };
    struct RateSample
    {
        Clock::time_point at;
        double bytesPerSecond;
    };

    // What is known of one link.
    struct Link
    {
        std::deque<InFlight> inFlight;
        // When the link should have passed every frame sent so far.
        Clock::time_point freeAt{};
        std::deque<RateSample> rates;
        // The best rate of the last second, bytes per second; 0 before any.
        double rate = 0;
        double averageBytes = 0;
        std::chrono::microseconds roundTrip{0};
        std::deque<std::chrono::microseconds> roundTrips;
        std::optional<Clock::time_point> pingSent;
        Clock::time_point nextPing{};
        Clock::time_point lastAdapted{};
        int quality = kFullQuality;
    };

    std::size_t mostInFlight() const;
    /// Frames a second the link carries at the average frame's size; empty
    /// before it was measured.
    std::optional<double> carried() const;
    void measure(const InFlight &frame, Clock::time_point now);
    void adapt(Clock::time_point now);

    Clock::duration m_period;
    Link m_link;
};

} // namespace vr
