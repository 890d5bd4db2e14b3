#pragma once

#include "protocol/message.h"
#include "protocol/timing.h"

#include <chrono>
#include <cstdint>

// The robot port and the link's timings. The panel runs with the defaults;
// tests shorten the timings and pick their own port.
namespace vaibo {

/// Port and timings of the links a client opens.
struct Settings
{
    std::uint16_t port = protocol::kDefaultPort;
    /// TCP connect plus handshake; after it the attempt is given up.
    std::chrono::milliseconds connectTimeout = protocol::kHandshakeTimeout;
    /// Longest wait for a robot's answer to one operation.
    std::chrono::milliseconds replyTimeout = protocol::kReplyTimeout;
    /// Quiet time after which the client sends a heartbeat.
    std::chrono::milliseconds heartbeatInterval = protocol::kHeartbeatInterval;
    /// Silence from the robot after which the link counts as dead.
    std::chrono::milliseconds deadLinkTimeout = protocol::kDeadLinkTimeout;
};

/// The settings that the next Connect of any client takes.
Settings settings();

/// Replaces the settings for every later Connect; a link already open keeps
/// the ones it started with.
void setSettings(const Settings &settings);

} // namespace vaibo
