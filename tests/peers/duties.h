#pragma once

#include "protocol/message.h"
#include "vaiboclient/net/socket.h"

#include <cstdint>
#include <optional>
#include <vector>

// What each end of the robot link owes the other for a message, as the
// panel's client and the virtual robot answer it, for the stand-in peers.
namespace peers {

/// A client's answer: a FrameAck for a Frame, a Pong for a Ping.
std::optional<protocol::Message> clientAnswer(const protocol::Message &message);

/// A robot's answer to what is not a Request: a Welcome for a Hello, a Pong
/// for a Ping.
std::optional<protocol::Message> robotAnswer(const protocol::Message &message, const char *robotName);

/// Sends all bytes on a blocking socket; false when the peer is gone.
bool sendAll(net::Socket &socket, const std::vector<std::uint8_t> &bytes);

} // namespace peers
