#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vaibo {

/// What the client knows of the robot's clock from its Ping and Pong
/// exchanges. Each exchange gives a round trip and an offset (the robot's
/// clock minus the local one, taken at the exchange's midpoint); the offset
/// trusted is the one of the shortest recent round trip, since queueing
/// delays one direction more than the other and so skews the midpoint.
class ClockSync
{
public:
    using Clock = std::chrono::steady_clock;

    /// One exchange: the local time the Ping left and the Pong came back, and
    /// the robot's clock as it answered, in microseconds since the epoch.
    void sample(Clock::time_point sent, Clock::time_point received, std::uint64_t robotUs);
    /// Forgets every exchange: a new link may lead to another robot.
    void reset();

    /// The newest exchange's round trip; empty before the first.
    std::optional<std::chrono::microseconds> roundTrip() const;
    /// When the robot's clock read robotUs, on the local clock; empty before
    /// the first exchange.
    std::optional<Clock::time_point> toLocal(std::uint64_t robotUs) const;

private:
    struct Exchange
    {
        std::chrono::microseconds roundTrip{0};
        // Robot's clock minus the local clock's microseconds.
        std::int64_t offsetUs = 0;
    };
    // About eight seconds of exchanges: long enough to find one that met an
    // empty link, short enough to follow a drifting clock.
    static constexpr std::size_t kKept = 16;
    std::array<Exchange, kKept> m_exchanges{};
    std::size_t m_count = 0;
    std::size_t m_newest = 0;
};

} // namespace vaibo
