#pragma once

#include "protocol/message.h"

#include <optional>

// What each end of the robot link owes the other for a message, as the
// panel's client and the virtual robot answer it, for the stand-in peers.
namespace peers {

/// A client's answer: a FrameAck for a Frame, a Pong for a Ping.
std::optional<protocol::Message> clientAnswer(const protocol::Message &message);

/// A robot's answer to what is not a Request: a Welcome for a Hello, a Pong
/// for a Ping.
std::optional<protocol::Message> robotAnswer(const protocol::Message &message, const char *robotName);

} // namespace peers
