#pragma once

#include <chrono>
#include <cstdint>

// Timings both ends keep to, so that either one notices a dead peer, and
// the clocks their messages carry.
namespace protocol {

/// A peer that has sent nothing for this long sends a Heartbeat.
constexpr std::chrono::milliseconds kHeartbeatInterval{1000};
/// A peer that has received nothing for this long closes the link.
constexpr std::chrono::milliseconds kDeadLinkTimeout{4000};
/// The TCP connect plus Hello and Welcome must complete within this time;
/// the client gives up after it, and a robot drops a client that has not
/// sent its Hello by then.
constexpr std::chrono::milliseconds kHandshakeTimeout{3000};
/// Longest a client waits for the Reply to a Request.
constexpr std::chrono::milliseconds kReplyTimeout{1500};
/// How often an end that wants the link's round trip and its peer's clock
/// sends a Ping, one outstanding at a time.
constexpr std::chrono::milliseconds kPingInterval{500};

/// The clock of frame timestamps and Pongs: microseconds since the Unix epoch.
inline std::uint64_t epochMicroseconds()
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
}

/// The origin a Ping sent at this moment carries, so that its Pong names it.
inline std::uint64_t pingOrigin(std::chrono::steady_clock::time_point sent)
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(sent.time_since_epoch()).count());
}

} // namespace protocol
