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
    void reset();

    /// Whether a new picture may be taken now.
    bool mayCapture(Clock::time_point now) const;
    /// When mayCapture turns true without an acknowledgement coming, empty
    /// when only an acknowledgement can open it.
    std::optional<Clock::time_point> opensAt(Clock::time_point now) const;

    /// A frame of these bytes left for the client.
    void sent(std::uint32_t sequence, std::size_t bytes, Clock::time_point now);
    /// The client acknowledged every frame up to this one. False when no
    /// such frame is outstanding: the client acknowledged a frame never sent.
    bool acknowledged(std::uint32_t sequence, Clock::time_point now);

    /// Whether the robot should send its Ping now: the link is empty of
    /// frames, so the Pong shows its bare round trip.
    bool pingDue(Clock::time_point now) const;
    void pingSent(Clock::time_point now);
    /// The Pong to that Ping came back.
    void pingAnswered(Clock::time_point now);
    bool pingOutstanding() const { return m_pingSent.has_value(); }

    int quality() const { return m_quality; }
    Reason reason(Clock::time_point now) const;
    /// The link's rate as last measured, bytes per second; 0 before.
    double linkBytesPerSecond() const { return m_rate; }
    /// The bare round trip as measured by the Ping.
    std::chrono::microseconds roundTrip() const { return m_roundTrip; }

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

    std::size_t mostInFlight() const;
    void measure(const InFlight &frame, Clock::time_point now);
    void adapt(Clock::time_point now);

    Clock::duration m_period;
    std::deque<InFlight> m_inFlight;
    // When the link should have passed every frame sent so far.
    Clock::time_point m_linkFreeAt{};
    std::deque<RateSample> m_rates;
    double m_rate = 0;
    double m_averageBytes = 0;
    std::chrono::microseconds m_roundTrip{0};
    std::deque<std::chrono::microseconds> m_roundTrips;
    std::optional<Clock::time_point> m_pingSent;
    Clock::time_point m_nextPing{};
    Clock::time_point m_lastAdapted{};
    int m_quality = kFullQuality;
};

} // namespace vr
